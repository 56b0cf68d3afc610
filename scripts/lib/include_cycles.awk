# Finds include circles. Input, in this order: the tree's files, one a line,
# each as "F<TAB>path"; then the include lines of those files as grep -Hn
# prints them ("path:line:#include \"name\""). A name is resolved beside
# the including file first, then from the top of the tree; names that are
# not files of the tree (system headers, generated files) are left out.
# Prints every circle between files and every circle between folders, one
# a line, and exits with 1 when there is any. A test program (*_test.cpp)
# belongs to a folder of its own above its folder's code: tests include
# the test support, which includes the code they test.
BEGIN { FS = "\t" }

$1 == "F" && NF == 2 { known[$2] = 1; next }

{
  line = $0
  colon = index(line, ":")
  if (colon == 0) next
  from = substr(line, 1, colon - 1)
  rest = substr(line, colon + 1)
  if (!match(rest, /#[ \t]*include[ \t]*"[^"]+"/)) next
  inc = substr(rest, RSTART, RLENGTH)
  sub(/^#[ \t]*include[ \t]*"/, "", inc)
  sub(/"$/, "", inc)
  to = ""
  dir = dirname(from)
  beside = (dir == "" ? inc : dir "/" inc)
  if (beside in known) to = beside
  else if (inc in known) to = inc
  if (to == "" || to == from) next
  addEdge("file", fileAdj, fileOut, from, to)
  fromDir = dirname(from)
  if (from ~ /_test\.cpp$/) fromDir = (fromDir == "" ? "." : fromDir) " (tests)"
  toDir = dirname(to)
  if (fromDir != toDir) addEdge("folder", dirAdj, dirOut, fromDir == "" ? "." : fromDir, toDir == "" ? "." : toDir)
}

END {
  found = 0
  found += findCycles(fileAdj, fileOut, "file")
  found += findCycles(dirAdj, dirOut, "folder")
  exit found > 0 ? 1 : 0
}

function dirname(path,    i) {
  i = match(path, /\/[^\/]*$/)
  return i ? substr(path, 1, i - 1) : ""
}

# adj[node, k] is the k-th target of node, out[node] their count; nodes
# keep the order in which they were first seen, so that reports are stable.
function addEdge(kind, adj, out, from, to) {
  if ((kind, from, to) in seenEdge) return
  seenEdge[kind, from, to] = 1
  if (!(from in out)) { out[from] = 0; order[kind, ++orderCount[kind]] = from }
  out[from]++
  adj[from, out[from]] = to
}

function findCycles(adj, out, kind,    i, node, count) {
  delete colour
  delete reported
  depth = 0
  count = 0
  for (i = 1; i <= orderCount[kind]; i++) {
    node = order[kind, i]
    if (!(node in colour)) count += visit(adj, out, kind, node)
  }
  return count
}

# Depth first: a target still on the path closes a circle, printed from
# that target round to itself.
function visit(adj, out, kind, node,    k, target, j, text, count) {
  colour[node] = 1
  stack[++depth] = node
  count = 0
  for (k = 1; (node in out) && k <= out[node]; k++) {
    target = adj[node, k]
    if ((target in colour) && colour[target] == 1) {
      for (j = depth; stack[j] != target; j--) {}
      text = target
      for (j = j + 1; j <= depth; j++) text = text " -> " stack[j]
      text = text " -> " target
      if (!(text in reported)) {
        reported[text] = 1
        print kind " include circle: " text
        count++
      }
    } else if (!(target in colour)) {
      count += visit(adj, out, kind, target)
    }
  }
  depth--
  colour[node] = 2
  return count
}
