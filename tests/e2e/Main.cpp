// The end-to-end driver: quillery_e2e <path of Quillery.exe> [gtest flags].
#include <gtest/gtest.h>

#include "Driver.h"

int main(int argc, char** argv) {
  // Started by the program under test as the browser of a test scheme.
  if (argc == 4 && std::string(argv[1]) == "--record-url") return e2e::RecordUrl(argv[2], argv[3]);
  testing::InitGoogleTest(&argc, argv);
  // Listing the cases needs no program: CTest lists them without one.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  if (argc < 2) {
    fprintf(stderr, "usage: quillery_e2e <Quillery.exe>\n");
    return 2;
  }
  std::string path = argv[1];
  // CTest hands over a Unix path; Wine maps the Unix root to drive Z:.
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  e2e::programUnderTest = path;
  return RUN_ALL_TESTS();
}
