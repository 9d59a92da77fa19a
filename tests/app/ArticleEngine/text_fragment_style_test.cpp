// Tests of TextFragmentStyle: who owns the font after construction, copies,
// assignment and the font setters. The sanitizers catch a font deleted twice
// or never.
#include "ArticleEngine/External/text_fragment_style.h"

#include <QFont>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

using ArticleEngine::TextFragmentStyle;

namespace {

TextFragmentStyle styleOwning(const QString& family)
{
    TextFragmentStyle style;
    style.setOwnedFont(QFont(family, 12));
    return style;
}

TEST(TextFragmentStyle, ConstructorSharesTheFontAndKeepsEveryValue)
{
    QFont font(QStringLiteral("DejaVu Sans"), 11);
    TextFragmentStyle style(&font, QColor(1, 2, 3), QColor(), -1, 4, 5, 6, 7);
    EXPECT_EQ(style.font(), &font);
    EXPECT_FALSE(style.ownsFont());
    EXPECT_EQ(style.textColor, QColor(1, 2, 3));
    EXPECT_FALSE(style.backgroundColor.isValid());
    EXPECT_EQ(style.verticalAlignment, -1);
    EXPECT_EQ(style.extraInts, (std::array<int, 3>{4, 5, 6}));
    EXPECT_EQ(style.extraByte, 7);
    EXPECT_EQ(style.clearedByte, 0);
}

TEST(TextFragmentStyle, CopyOfAnOwnedFontOwnsItsOwnCopy)
{
    auto original = std::make_unique<TextFragmentStyle>(styleOwning(QStringLiteral("Serif")));
    original->textColor = QColor(9, 8, 7);
    TextFragmentStyle copy(*original);
    ASSERT_NE(copy.font(), nullptr);
    EXPECT_NE(copy.font(), original->font());
    EXPECT_TRUE(copy.ownsFont());
    EXPECT_EQ(copy.textColor, QColor(9, 8, 7));

    original.reset();
    EXPECT_EQ(copy.font()->family(), QStringLiteral("Serif")) << "the copy outlives the original";
}

TEST(TextFragmentStyle, CopyOfASharedFontSharesIt)
{
    QFont font;
    TextFragmentStyle shared(&font, QColor(), QColor(), 0, 0, 0, 0, 0);
    TextFragmentStyle copy(shared);
    EXPECT_EQ(copy.font(), &font);
    EXPECT_FALSE(copy.ownsFont());
}

TEST(TextFragmentStyle, AssignmentFollowsTheSourceFont)
{
    QFont font;
    const TextFragmentStyle shared(&font, QColor(), QColor(), 1, 0, 0, 0, 0);
    const TextFragmentStyle owning = styleOwning(QStringLiteral("Mono"));
    const TextFragmentStyle fontless;

    TextFragmentStyle target = styleOwning(QStringLiteral("Sans"));
    target = shared;
    EXPECT_EQ(target.font(), &font) << "an owned font is released for a shared one";
    EXPECT_FALSE(target.ownsFont());
    EXPECT_EQ(target.verticalAlignment, 1);

    target = owning;
    EXPECT_TRUE(target.ownsFont());
    EXPECT_NE(target.font(), owning.font());
    EXPECT_EQ(target.font()->family(), QStringLiteral("Mono"));

    target = fontless;
    EXPECT_EQ(target.font(), nullptr);
    EXPECT_FALSE(target.ownsFont());

    target = styleOwning(QStringLiteral("Moved"));
    EXPECT_TRUE(target.ownsFont());
    TextFragmentStyle& self = target;
    target = self;
    EXPECT_EQ(target.font()->family(), QStringLiteral("Moved")) << "self-assignment keeps the font";
}

TEST(TextFragmentStyle, SettersReleaseAnOwnedFontFirst)
{
    QFont font;
    TextFragmentStyle style = styleOwning(QStringLiteral("Sans"));
    style.setFont(&font);
    EXPECT_EQ(style.font(), &font);
    EXPECT_FALSE(style.ownsFont());

    style.setOwnedFont(font);
    EXPECT_TRUE(style.ownsFont());
    style.setOwnedFont(*style.font());
    EXPECT_TRUE(style.ownsFont()) << "a copy of its own font";

    style.releaseFont();
    EXPECT_EQ(style.font(), nullptr);
    style.setFont(&font);
    style.releaseFont();
    EXPECT_EQ(style.font(), nullptr) << "a shared font is let go, not deleted";
}

TEST(TextFragmentStyle, MoveHandsTheOwnedFontOn)
{
    TextFragmentStyle source = styleOwning(QStringLiteral("Sans"));
    QFont* font = source.font();
    TextFragmentStyle moved(std::move(source));
    EXPECT_EQ(moved.font(), font);
    EXPECT_TRUE(moved.ownsFont());
}

} // namespace
