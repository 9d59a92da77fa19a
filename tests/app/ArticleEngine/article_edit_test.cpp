// Tests of the ArticleEdit widget on the offscreen platform, driven with the
// toolkit's own key and mouse simulation, so that keys go through shortcut
// overrides, the event filter and focus handling as a user's keys do.
#include "ArticleEngine/Private/article_edit.h"

#include "ArticleEngine/Controller/article_clipboard_copy.h"

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// Styles 0 to 5 in colours that a picture tells apart: 1 black, 3 blue
// italic, 4 bold and large, 5 red.
class ColourStyleServer : public ArticleEngine::External::IStyleServer {
public:
    ColourStyleServer()
    {
        m_bold.setBold(true);
        m_italic.setItalic(true);
        add(0, &m_normal, QColor(0, 0, 0));
        add(1, &m_normal, QColor(0, 0, 0));
        add(2, &m_normal, QColor(0, 128, 0));
        add(3, &m_italic, QColor(0, 0, 200));
        add(4, &m_bold, QColor(0, 0, 0));
        add(5, &m_normal, QColor(220, 0, 0));
    }

    bool isSpecialStyle(int) override { return false; }
    ArticleEngine::TextFragmentStyle* style(int number) override
    {
        const auto found = m_styles.find(number);
        return found == m_styles.end() ? nullptr : &found->second;
    }

private:
    void add(int number, QFont* font, const QColor& colour)
    {
        m_styles.emplace(number, ArticleEngine::TextFragmentStyle(font, colour, QColor(), 0, 0, 0, 0, 0));
    }

    QFont m_normal{QStringLiteral("DejaVu Sans"), 10};
    QFont m_bold{QStringLiteral("DejaVu Sans"), 14};
    QFont m_italic{QStringLiteral("DejaVu Sans"), 10};
    std::map<int, ArticleEngine::TextFragmentStyle> m_styles;
};

// A dialog as the article editor has it: the editor, a line edit to take
// the focus from it, and shortcuts of the dialog's own on editing keys.
class HostDialog {
public:
    HostDialog()
    {
        auto* layout = new QVBoxLayout(&dialog);
        edit = new ArticleEdit(&dialog);
        line = new QLineEdit(&dialog);
        layout->addWidget(edit);
        layout->addWidget(line);
        edit->init(&styles, nullptr);
        for (const QKeySequence& key : {QKeySequence(QKeySequence::Copy), QKeySequence(QKeySequence::Paste),
                                        QKeySequence(QKeySequence::Undo), QKeySequence(Qt::Key_Delete),
                                        QKeySequence(Qt::CTRL | Qt::Key_S)}) {
            auto* action = new QAction(&dialog);
            action->setShortcut(key);
            QObject::connect(action, &QAction::triggered, [this, key] { triggered.append(key.toString()); });
            dialog.addAction(action);
        }
        dialog.resize(400, 300);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_TRUE(edit->hasFocus());
    }

    QString source()
    {
        QString text;
        EXPECT_TRUE(edit->source(text));
        return text;
    }

    ColourStyleServer styles;
    QDialog dialog;
    ArticleEdit* edit = nullptr;
    QLineEdit* line = nullptr;
    QStringList triggered;
};

void putOnClipboard(const QString& text, const QByteArray& source = {})
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    if (!source.isEmpty())
        data->setData(ArticleEngine::Controller::sourceMimeType(), source);
    QApplication::clipboard()->setMimeData(data.release(), QClipboard::Clipboard);
}

TEST(ArticleEdit, PastedTextLosesItsCarriageReturns)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"\""));
    putOnClipboard(QStringLiteral("a\r\nb"));
    QTest::keySequence(host.edit, QKeySequence::Paste);
    const QString source = host.source();
    EXPECT_FALSE(source.contains(QLatin1String("%0d")));
    EXPECT_TRUE(source.contains(QLatin1String("a%0a\"")));
    EXPECT_TRUE(source.contains(QLatin1String("b%0a\"")));
}

TEST(ArticleEdit, ClipboardSourceWinsOverPlainText)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"x\""));
    QTest::keySequence(host.edit, QKeySequence::MoveToEndOfDocument);
    putOnClipboard(QStringLiteral("plain"), QByteArray("#05\"styled\"\n.5 { color: rgb(220, 0, 0); }\n"));
    QTest::keySequence(host.edit, QKeySequence::Paste);
    const QString source = host.source();
    EXPECT_TRUE(source.contains(QLatin1String("styled"))) << source.toStdString();
    EXPECT_FALSE(source.contains(QLatin1String("plain"))) << source.toStdString();
}

TEST(ArticleEdit, ControlCharactersOfAPastedSourceNeverEnterTheText)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"x\""));
    QTest::keySequence(host.edit, QKeySequence::MoveToEndOfDocument);
    putOnClipboard(QStringLiteral("plain"), QByteArray("#01\"a%00b%07c%0d%7fd\""));
    QTest::keySequence(host.edit, QKeySequence::Paste);
    // Pasted runs take style 0 (no style server maps declared styles); a run
    // that ends on the paragraph's end takes its line feed along.
    EXPECT_EQ(host.source(), QStringLiteral("#01\"x\"#00\"abcd%0a\""));
}

TEST(ArticleEdit, AdapterReadsTheClipboardAsTheEditorNeedsIt)
{
    HostDialog host;
    ArticleEngine::External::IWidget* adapter = host.edit->controller().widget();
    ASSERT_NE(adapter, nullptr);
    putOnClipboard(QStringLiteral("a\r\nb\r"));
    EXPECT_EQ(adapter->clipboardText(), QStringLiteral("a\nb"));
    EXPECT_EQ(adapter->clipboardSource(), QString()) << "no source format, no source";
    putOnClipboard(QStringLiteral("p"), QStringLiteral("#01\"\u00e9\"").toUtf8());
    EXPECT_EQ(adapter->clipboardSource(), QStringLiteral("#01\"\u00e9\"")) << "read as UTF-8";
    QApplication::clipboard()->clear(QClipboard::Clipboard);
    EXPECT_EQ(adapter->clipboardSource(), QString());
    EXPECT_EQ(adapter->scrollBar(), host.edit->scrollBar());
    EXPECT_TRUE(adapter->hasFocus());
}

TEST(ArticleEdit, TabIndentsAndTheFocusStays)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"word\""));
    QTest::keyClick(host.edit, Qt::Key_Tab);
    EXPECT_TRUE(host.edit->hasFocus()) << "Tab must not move the focus to the line edit";
    EXPECT_EQ(host.source(), QStringLiteral("#01\"\tword%0a\""));
    QTest::keyClick(host.edit, Qt::Key_Tab);
    QTest::keyClick(host.edit, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(host.edit->hasFocus());
    EXPECT_EQ(host.source(), QStringLiteral("#01\"\tword%0a\""));
}

TEST(ArticleEdit, IsModifiedUntilUndoneToTheLoadedSource)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"word\""));
    EXPECT_FALSE(host.edit->isModified());
    QTest::keyClicks(host.edit, QStringLiteral("x"));
    EXPECT_TRUE(host.edit->isModified());
    QTest::keySequence(host.edit, QKeySequence::Undo);
    EXPECT_FALSE(host.edit->isModified());
    EXPECT_TRUE(host.triggered.isEmpty()) << host.triggered.join(QLatin1Char(' ')).toStdString();
}

TEST(ArticleEdit, TheRealBackspaceKeyDeletes)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"abc\""));
    QTest::keySequence(host.edit, QKeySequence::MoveToEndOfDocument);
    QTest::keyClick(host.edit, Qt::Key_Backspace);
    EXPECT_EQ(host.source(), QStringLiteral("#01\"ab%0a\""));
}

TEST(ArticleEdit, EditingKeysWinOverTheDialogsShortcuts)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"\""));
    QTest::keyClicks(host.edit, QStringLiteral("hello"));
    // Select all, copy, paste at the end: the text twice.
    QTest::keySequence(host.edit, QKeySequence::SelectAll);
    QTest::keySequence(host.edit, QKeySequence::Copy);
    QTest::keySequence(host.edit, QKeySequence::MoveToEndOfDocument);
    QTest::keySequence(host.edit, QKeySequence::Paste);
    QTest::keySequence(host.edit, QKeySequence::Undo);
    EXPECT_TRUE(host.triggered.isEmpty()) << host.triggered.join(QLatin1Char(' ')).toStdString();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    // Select all ends before the final line feed; the paragraph keeps its level.
    EXPECT_EQ(copied->text(), QStringLiteral("\thello"));
    EXPECT_EQ(QString::fromUtf8(copied->data(ArticleEngine::Controller::sourceMimeType()))
                  .section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("#04\"\thello\""));
    EXPECT_TRUE(copied->html().contains(QLatin1String("hello")));
    EXPECT_TRUE(host.source().contains(QLatin1String("hello%0a\"")));

    QTest::keySequence(host.edit, QKeySequence::MoveToStartOfDocument);
    QTest::keyClick(host.edit, Qt::Key_Delete);
    EXPECT_TRUE(host.source().startsWith(QLatin1String("#04\"\tello"))) << host.source().toStdString();
    EXPECT_TRUE(host.triggered.isEmpty()) << host.triggered.join(QLatin1Char(' ')).toStdString();

    // A key the editor does not edit with is still the dialog's.
    QTest::keyClick(host.edit, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(host.triggered, QStringList{QStringLiteral("Ctrl+S")});
}

TEST(ArticleEdit, EscapeGoesOnToTheDialog)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"word\""));
    QTest::keyClick(host.edit, Qt::Key_Escape);
    EXPECT_FALSE(host.dialog.isVisible()) << "the dialog closes on Escape";
    EXPECT_EQ(host.dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(host.edit->isModified());
}

TEST(ArticleEdit, TextCommittedByAnInputMethodIsTyped)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"\""));
    EXPECT_TRUE(host.edit->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent preedit(QStringLiteral("e"), {});
    QApplication::sendEvent(host.edit, &preedit);
    EXPECT_FALSE(host.edit->isModified()) << "a preedit string is not typed";
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("\u00e9\u6f22"));
    QApplication::sendEvent(host.edit, &commit);
    EXPECT_TRUE(host.source().contains(QStringLiteral("\u00e9\u6f22"))) << host.source().toStdString();
    QTest::keySequence(host.edit, QKeySequence::Undo);
    EXPECT_FALSE(host.edit->isModified()) << "one commit, one undo step";
}

TEST(ArticleEdit, DefaultAutoStylesMakeAHeadwordAndAnIndentedSense)
{
    HostDialog host;
    host.edit->setSource(QString());
    QTest::keyClicks(host.edit, QStringLiteral("a"));
    QTest::keyClick(host.edit, Qt::Key_Return);
    QTest::keyClicks(host.edit, QStringLiteral("b"));
    EXPECT_EQ(host.source(), QStringLiteral("#04\"\ta%0a\"#03\"\t\tb%0a\""));
}

TEST(ArticleEdit, DraggingTheScrollBarScrollsTheText)
{
    HostDialog host;
    QString source;
    for (int i = 0; i < 60; ++i)
        source += QStringLiteral("#01\"line ") + QString::number(i) + QStringLiteral("%0a\"");
    host.edit->setSource(source);
    QScrollBar* bar = host.edit->scrollBar();
    ASSERT_TRUE(bar->isVisible());
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->geometry().right(), host.edit->width() - 1);
    EXPECT_EQ(bar->height(), host.edit->height());

    const QImage before = host.edit->grab().toImage();
    // Drag the handle from near the top to the middle of the groove.
    const QPoint from(bar->width() / 2, 20);
    const QPoint to(bar->width() / 2, bar->height() / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, to);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(host.edit->controller().scroll().offset, bar->value());
    EXPECT_NE(host.edit->grab().toImage(), before) << "the text moved";
}

TEST(ArticleEdit, AnArticleGrownByTypingGetsItsScrollBarAtOnce)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"short\""));
    ASSERT_TRUE(host.edit->scrollBar()->isHidden());
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(host.edit, Qt::Key_Return);
    EXPECT_FALSE(host.edit->scrollBar()->isHidden());
    EXPECT_GT(host.edit->scrollBar()->maximum(), 0);
    for (int i = 0; i < 40; ++i)
        QTest::keySequence(host.edit, QKeySequence::Undo);
    EXPECT_TRUE(host.edit->scrollBar()->isHidden());
}

// Counts the pixels of the caret colour, an orange no style uses.
int caretPixels(ArticleEdit& edit)
{
    const QImage image = edit.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width() - edit.scrollBar()->width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 60 && c.green() < 200 && c.blue() < 60)
                ++count;
        }
    }
    return count;
}

TEST(ArticleEdit, BlinkTimerRunsOnlyWhileShown)
{
    HostDialog host;
    EXPECT_TRUE(host.edit->isBlinking());
    EXPECT_TRUE(host.edit->blinkTimerRunning());
    EXPECT_EQ(host.edit->blinkInterval(), 400);
    host.edit->hide();
    EXPECT_FALSE(host.edit->blinkTimerRunning());
    host.edit->show();
    EXPECT_TRUE(host.edit->blinkTimerRunning());
    host.edit->setBlinking(false);
    EXPECT_FALSE(host.edit->blinkTimerRunning());
    host.edit->setBlinkInterval(-5);
    EXPECT_EQ(host.edit->blinkInterval(), 0);
}

TEST(ArticleEdit, BlinkingShowsAndHidesTheCaretInTurn)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"word\""));
    host.edit->setSelectionBorderColor(QColor(255, 128, 0));
    host.edit->setBlinkInterval(20);
    EXPECT_GT(caretPixels(*host.edit), 0) << "a restarted blink starts with the caret shown";
    EXPECT_TRUE(QTest::qWaitFor([&] { return caretPixels(*host.edit) == 0; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return caretPixels(*host.edit) > 0; }, 2000));
}

TEST(ArticleEdit, WithoutBlinkingTheCaretShowsExactlyWhileFocused)
{
    HostDialog host;
    host.edit->setSource(QStringLiteral("#01\"word\""));
    host.edit->setBlinking(false);
    host.edit->setSelectionBorderColor(QColor(255, 128, 0));
    EXPECT_GT(caretPixels(*host.edit), 0);
    host.line->setFocus();
    ASSERT_FALSE(host.edit->hasFocus());
    EXPECT_EQ(caretPixels(*host.edit), 0);
}

} // namespace
