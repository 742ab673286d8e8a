// The path named on the command line, quoted or not.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandLinePath, TakesAQuotedOrABarePathWithoutTheBlanksAroundIt)
{
    EXPECT_EQ(commandLinePath(""), "");
    EXPECT_EQ(commandLinePath("  \t "), "");
    EXPECT_EQ(commandLinePath("deep.zelvar"), "deep.zelvar");
    EXPECT_EQ(commandLinePath("  C:\\places\\deep.zelvar \t"), "C:\\places\\deep.zelvar");
    // Explorer quotes the path it opens; blanks inside stay.
    EXPECT_EQ(commandLinePath("\"C:\\My Places\\a b.zelvar\""), "C:\\My Places\\a b.zelvar");
    EXPECT_EQ(commandLinePath(" \"C:\\x.png\"   "), "C:\\x.png");
    // Unquoted, blanks belong to the path.
    EXPECT_EQ(commandLinePath("C:\\My Places\\a b.zelvar"), "C:\\My Places\\a b.zelvar");
    // A quote left open runs to the end; what follows a closed one is not the path.
    EXPECT_EQ(commandLinePath("\"C:\\open ended"), "C:\\open ended");
    EXPECT_EQ(commandLinePath("\"a.zelvar\" more"), "a.zelvar");
    EXPECT_EQ(commandLinePath("\"\""), "");
    // The bytes of UTF-8 pass unchanged.
    const std::string path = "C:\\\xC3\xA9t\xC3\xA9\\\xE6\x97\xA5.zelvar";
    EXPECT_EQ(commandLinePath("\"" + path + "\""), path);
}
