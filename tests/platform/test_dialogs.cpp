// The file-dialog filters: "desc|pattern|" texts become Qt filters that match either case; the
// texts of message and input boxes break their lines at CR LF, CR and LF and are never markup.

#include "common/dialogs.h"
#include "platform/ui/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kalvon;

TEST(FileFilter, SplitsDescriptionsAndPatterns)
{
    const auto filters = parseFileFilter("Kalvon Themes|*.kvx;*.tnp|All Files|*.*|");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Kalvon Themes");
    EXPECT_EQ(filters[0].patterns, (std::vector<Bytes>{ "*.kvx", "*.tnp" }));
    EXPECT_EQ(filters[1].patterns, (std::vector<Bytes>{ "*.*" }));
}

TEST(FileFilter, ToleratesMissingTrailingBarAndOddCount)
{
    EXPECT_EQ(parseFileFilter("Text|*.txt").size(), 1u);
    EXPECT_TRUE(parseFileFilter("lonely").empty());
    EXPECT_TRUE(parseFileFilter("").empty());
}

TEST(FileFilter, QtFilterMatchesBothCases)
{
    EXPECT_EQ(QtDialogs::qtNameFilter("Themes|*.kvx;*.TNP|"),
        QStringLiteral("Themes (*.[kK][vV][xX] *.[tT][nN][pP])"));
    EXPECT_EQ(QtDialogs::qtNameFilter("A|*.a|B|*.*|"), QStringLiteral("A (*.[aA]);;B (*.*)"));
}

TEST(BoxText, BreaksLinesAtCrLfLoneCrAndLoneLf)
{
    const std::pair<const char*, const char*> cases[] = {
        { "Error while opening music file! \r\nFilename: a.ogg",
            "Error while opening music file! \nFilename: a.ogg" },
        { "Congratulations, you are ranked #1\rEnter your name",
            "Congratulations, you are ranked #1\nEnter your name" },
        { "one\ntwo", "one\ntwo" },
        { "one\r\r\ntwo\n\rthree", "one\n\ntwo\n\nthree" },
        { "<b>Ann</b>", "<b>Ann</b>" },
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(QtDialogs::boxText(text), QString::fromLatin1(shown)) << text;
}

TEST(BoxText, MessageAndInputBoxesShowTheirLinesAsPlainText)
{
    QWidget parent;
    QtDialogs qtDialogs(&parent, QStringLiteral("Kalvon"));
    Dialogs& dialogs = qtDialogs;
    QStringList shown;
    // Reads the box that is open, then answers it.
    const auto answerOpenBox = [&shown] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1Char('#')) || label->text().contains(QLatin1Char('!'))) {
                shown << label->text();
                EXPECT_EQ(label->textFormat(), Qt::PlainText);
            }
        }
        if (auto* input = qobject_cast<QInputDialog*>(box))
            input->setTextValue(QStringLiteral("Ann"));
        QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
    };

    QTimer::singleShot(0, answerOpenBox);
    dialogs.messageBox("Could not load!\r\n<i>theme.kvx</i>", "Error", MessageIcon::Critical);
    QTimer::singleShot(0, answerOpenBox);
    EXPECT_EQ(dialogs.inputBox("Congratulations, you are ranked #1\rEnter your name"), Bytes("Ann"));

    EXPECT_EQ(shown,
        (QStringList{ QStringLiteral("Could not load!\n<i>theme.kvx</i>"),
            QStringLiteral("Congratulations, you are ranked #1\nEnter your name") }));
}
