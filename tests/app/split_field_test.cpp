#include "app/split_field.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitFieldTest, FieldsOfDelimitedLines) {
    struct Case {
        const char* text;
        const char* delimiter;
        int n;
        int spaceAlso;
        const char* expected;
    };
    const Case cases[] = {
        {"  a=b=c  ", "=", 1, 0, "a"},
        {"  a=b=c  ", "=", 2, 0, "b"},
        {"  a=b=c  ", "=", 3, 0, "c"},
        {"  a=b=c  ", "=", 4, 0, "-+-"},
        {"abc", "=", 1, 0, "abc"},
        {"abc", "=", 2, 0, "abc"},  // the first pass can never mark a field missing
        {"abc", "=", 3, 0, "-+-"},
        {"a=", "=", 2, 0, ""},
        {"=abc", "=", 1, 0, ""},
        {"x y|z", "|", 1, 1, "x"},
        {"x y|z", "|", 1, 0, "x y"},
        {"x y|z", "|", 2, 1, "y"},
        {"Width=1024", "=", 2, 0, "1024"},
        {"\t Key=3=38\r\n", "=", 3, 0, "38"},  // control characters trimmed at both ends
        {"a==b", "=", 2, 0, ""},
        {"a==b", "=", 3, 0, "b"},
        {"", "=", 1, 0, ""},
        {"", "=", 3, 0, "-+-"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::SplitField(c.text, c.delimiter, c.n, c.spaceAlso), c.expected)
            << '"' << c.text << "\" field " << c.n << " spaceAlso " << c.spaceAlso;
    }
}

}  // namespace
