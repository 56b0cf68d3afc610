#include "booklib/vcard/vcard_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vcard {
namespace {

std::vector<Card> Read(const std::string& file) {
  std::vector<Card> cards;
  ReadCards(file, [&](const Card& c) {
    cards.push_back(c);
    return true;
  });
  return cards;
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\r\n";
  return out;
}

// The fields of a card the import takes, as one line each.
std::string Picture(const Card& c) {
  auto text = [](const Text& t) {
    const char* cs = t.charset == Charset::kUtf8 ? "u" : t.charset == Charset::kShiftJis ? "s" : "?";
    return t.bytes + "/" + cs;
  };
  return "FN=" + text(c.formattedName) + " N=" + text(c.familyName) + "," + text(c.givenName) +
         " Y=" + text(c.familyReading) + "," + text(c.givenReading) +
         " SOUND=" + text(c.soundReading) + " SORT=" + text(c.sortAs) + " FAX=" + text(c.fax) +
         " ORG=" + text(c.organisation) + "," + text(c.unit);
}

TEST(VcardReaderTest, CardsOfEachVersionAsPhonesAndMailProgramsWriteThem) {
  struct Case {
    const char* what;
    std::string file;
    std::string picture;
  };
  const Case cases[] = {
      {"3.0 in UTF-8, as a phone's contacts app writes it",
       Lines({"BEGIN:VCARD", "VERSION:3.0", "FN:\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E",
              "N:\xE5\xB1\xB1\xE7\x94\xB0;\xE5\xA4\xAA\xE9\x83\x8E;;;",
              "X-PHONETIC-LAST-NAME:\xE3\x82\x84\xE3\x81\xBE\xE3\x81\xA0",
              "X-PHONETIC-FIRST-NAME:\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86",
              "TEL;TYPE=CELL:090-1111-2222", "TEL;TYPE=WORK,FAX:03-1234-5678",
              "TEL;TYPE=HOME,FAX:03-9999-9999", "ORG:Kita Ltd.;Sales", "END:VCARD"}),
       "FN=\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E/u N=\xE5\xB1\xB1\xE7\x94\xB0/u,"
       "\xE5\xA4\xAA\xE9\x83\x8E/u Y=\xE3\x82\x84\xE3\x81\xBE\xE3\x81\xA0/u,"
       "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86/u SOUND=/? SORT=/? FAX=03-1234-5678/u "
       "ORG=Kita Ltd./u,Sales/u"},
      {"2.1 quoted-printable Shift-JIS with a soft break inside a character",
       Lines({"BEGIN:VCARD", "VERSION:2.1",
              "N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8E=52=93=63;=91=BE=",
              "=98=59;;;",
              "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:\xD4\xCF\xC0\xDE;\xC0\xDB\xB3;;;",
              "TEL;WORK;FAX:0312345678", "END:VCARD"}),
       "FN=/? N=\x8E\x52\x93\x63/s,\x91\xBE\x98\x59/s Y=/?,/? SOUND=\xD4\xCF\xC0\xDE \xC0\xDB\xB3/s "
       "SORT=/? FAX=0312345678/? ORG=/?,/?"},
      {"2.1 quoted-printable UTF-8, a TEL of FAX alone",
       Lines({"BEGIN:VCARD", "VERSION:2.1",
              "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=B1=B1=E7=94=B0",
              "TEL;HOME;FAX:06-1", "TEL;FAX:06-2", "END:VCARD"}),
       "FN=\xE5\xB1\xB1\xE7\x94\xB0/u N=/?,/? Y=/?,/? SOUND=/? SORT=/? FAX=06-2/? ORG=/?,/?"},
      {"4.0: types in several parameters, a tel: URI with an extension, SORT-AS",
       Lines({"BEGIN:VCARD", "VERSION:4.0", "FN:Yamada",
              "N;SORT-AS=\"\xE3\x82\x84\xE3\x81\xBE\xE3\x81\xA0,\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86\":Yamada;Taro;;;",
              "TEL;TYPE=fax;TYPE=work;VALUE=uri:tel:+81-3-1234-5678;ext=12", "END:VCARD"}),
       "FN=Yamada/u N=Yamada/u,Taro/u Y=/?,/? SOUND=/? "
       "SORT=\xE3\x82\x84\xE3\x81\xBE\xE3\x81\xA0 \xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86/u "
       "FAX=+81-3-1234-5678 ext 12/u ORG=/?,/?"},
      {"folded lines, escapes, a group prefix and a lower-case name",
       Lines({"BEGIN:VCARD", "VERSION:3.0", "FN:Kita\\, Ltd.", " and Sons", "item1.tel;type=WORK;",
              "\ttype=FAX:03-1", "org:A\\;B;C", "END:VCARD"}),
       "FN=Kita, Ltd.and Sons/u N=/?,/? Y=/?,/? SOUND=/? SORT=/? FAX=03-1/u ORG=A;B/u,C/u"},
  };
  for (const Case& c : cases) {
    const std::vector<Card> cards = Read(c.file);
    ASSERT_EQ(cards.size(), 1u) << c.what;
    EXPECT_EQ(Picture(cards[0]), c.picture) << c.what;
    EXPECT_FALSE(cards[0].unended) << c.what;
  }
}

TEST(VcardReaderTest, CardsEndWhereTheFileSaysAndPhotosArePassedOver) {
  const std::string photo21 = Lines({"PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQ",
                                     "AAAQABAAD/2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8U", "",
                                     "TEL;FAX:03-7"});
  const std::string file = Lines({"garbage before", "BEGIN:VCARD", "VERSION:2.1", "FN:One"}) +
                           photo21 +
                           Lines({"BEGIN:VCARD", "VERSION:3.0", "FN:Two",
                                  "PHOTO;ENCODING=b;TYPE=JPEG:MIICajCCAdOgAwIBAgICBEUwDQYJKoZIhvcN",
                                  " AQEEBQAwdzELMAkGA1UEBhMCVVMxLDAqBgNVBAoTI05ldHNjYXBl",
                                  "TEL;TYPE=FAX:03-8", "END:VCARD", "BEGIN:VCARD", "FN:Three"});
  const std::vector<Card> cards = Read(file);
  ASSERT_EQ(cards.size(), 3u);
  EXPECT_EQ(cards[0].formattedName.bytes, "One");
  EXPECT_EQ(cards[0].fax.bytes, "03-7");
  EXPECT_TRUE(cards[0].unended) << "ended by the next BEGIN";
  EXPECT_EQ(cards[0].line, 2);
  EXPECT_EQ(cards[1].fax.bytes, "03-8");
  EXPECT_FALSE(cards[1].unended);
  EXPECT_EQ(cards[2].formattedName.bytes, "Three");
  EXPECT_TRUE(cards[2].unended) << "ended by the file's end";
  // The callback may stop the reading.
  int seen = 0;
  EXPECT_EQ(ReadCards(file, [&](const Card&) { return ++seen < 2; }), 2);
}

TEST(VcardReaderTest, AnyBytesGiveCardsWithinTheirBounds) {
  const std::string huge(kMaxValueBytes * 3, 'a');
  const std::vector<Card> cards =
      Read(Lines({"BEGIN:VCARD", "VERSION:3.0"}) + "FN:" + huge + "\r\n" +
           Lines({"N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=B1=", "END:VCARD"}));
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].formattedName.bytes.size(), kMaxValueBytes);
  EXPECT_TRUE(cards[0].cut);
  for (const std::string& bytes :
       {std::string(), std::string("BEGIN:VCARD"), std::string("\xEF\xBB\xBF" "BEGIN:VCARD\nFN:x=\n"),
        std::string("BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:=\r\n"), std::string(3, '\0')}) {
    Read(bytes);  // ends, and ASan finds nothing
  }
  EXPECT_EQ(Read("\xEF\xBB\xBF" "BEGIN:VCARD\nFN:x\nEND:VCARD\n").size(), 1u);
}

}  // namespace
}  // namespace vcard
