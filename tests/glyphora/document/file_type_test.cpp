#include "glyphora/document/file_type.h"

#include <gtest/gtest.h>

namespace {

TEST(FileType, ValuesNameTheEditorItsIconAndItsOpenCommand) {
  std::vector<glyphora::FileTypeValue> values = glyphora::FileTypeValues("C:\\Art Tools\\glyphora.exe");
  ASSERT_EQ(values.size(), 4u);
  const char* expected[][2] = {
      {".gly", "GLYfile"},
      {"GLYfile", "Glyphora File"},
      {"GLYfile\\DefaultIcon", "C:\\Art Tools\\glyphora.exe, 1"},
      {"GLYfile\\Shell\\open\\command", "\"C:\\Art Tools\\glyphora.exe\" %1"},
  };
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].key, expected[i][0]);
    EXPECT_EQ(values[i].name, "");
    EXPECT_EQ(values[i].value, expected[i][1]);
  }
}

}  // namespace
