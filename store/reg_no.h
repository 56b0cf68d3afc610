// Registration numbers for new entries.
#pragma once

#include <functional>

namespace store {

// With n rows in the list, tries n+1 .. n+3000 and stores the first number
// that no entry uses in *regNo. Fails when n >= 3000 or every candidate is
// taken; the caller then shows the book's limit message and adds nothing.
bool NextRegNo(int rowCount, const std::function<bool(int)>& regNoInUse, int* regNo);

}  // namespace store
