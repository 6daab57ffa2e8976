// The chat options panel: swatches show the chat colours and take picked ones, only OK stores
// the swatches and the font, Defaults paints the default colours and selects the default
// font, and Cancel stores nothing but keeps what the swatches show.

#include "common/colortext.h"
#include "engine/store/chatswatches.h"
#include "platform/surface.h"
#include "support/scripteddialogs.h"
#include "window/chatoptionspanel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::ScriptedDialogs;

constexpr int32_t rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

QColor shown(QLabel& swatch)
{
    return swatch.palette().color(QPalette::Window);
}

struct PanelRig {
    PanelRig()
    {
        options.font = "DejaVu Serif";
        options.bg = rgb(10, 20, 30);
        options.server = rgb(1, 2, 3);
        // The settings are read: the swatches take them.
        panel.paintSwatches();
    }
    ChatOptions options;
    ScriptedDialogs dialogs;
    ChatOptionsPanel panel{ options, dialogs };
    QSignalSpy applied{ &panel, &ChatOptionsPanel::applied };
    QSignalSpy closed{ &panel, &ChatOptionsPanel::closed };

    void click(const char* button)
    {
        QTest::mouseClick(panel.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }
};

TEST(ChatOptionsPanel, SwatchesShowAndPickColoursOnlyOkStoresThem)
{
    PanelRig rig;
    rig.panel.openPanel({ QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif") });
    EXPECT_TRUE(rig.panel.isVisible());
    EXPECT_EQ(rig.panel.fontList().currentText(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(shown(rig.panel.swatch(5)), QColor(10, 20, 30)) << "colour order is red, green, blue";
    EXPECT_EQ(shown(rig.panel.swatch(15)), QColor(1, 2, 3));

    rig.dialogs.colorAnswers = { rgb(200, 100, 50), std::nullopt };
    QTest::mouseClick(&rig.panel.swatch(5), Qt::LeftButton);
    QTest::mouseClick(&rig.panel.swatch(0), Qt::LeftButton); // cancelled: unchanged
    ASSERT_EQ(rig.dialogs.calls.size(), 2u);
    EXPECT_EQ(rig.dialogs.calls[0].kind, "color");
    EXPECT_EQ(shown(rig.panel.swatch(5)), QColor(200, 100, 50));
    EXPECT_EQ(rig.panel.swatchColor(0), 0);
    EXPECT_EQ(rig.options.bg, rgb(10, 20, 30)) << "not stored before OK";

    rig.panel.fontList().setCurrentText(QStringLiteral("DejaVu Sans"));
    rig.click("cmdChatOptionsOK");
    EXPECT_EQ(rig.options.bg, rgb(200, 100, 50));
    EXPECT_EQ(rig.options.server, rgb(1, 2, 3));
    EXPECT_EQ(rig.options.font, "DejaVu Sans");
    EXPECT_EQ(rig.applied.count(), 1);
    EXPECT_EQ(rig.closed.count(), 1);
    EXPECT_FALSE(rig.panel.isVisible());
}

TEST(ChatOptionsPanel, DefaultsThenCancelStoresNothingButAFollowingOkStoresTheDefaults)
{
    PanelRig rig;
    rig.panel.openPanel({ QStringLiteral("DejaVu Serif") });
    EXPECT_NE(rig.panel.fontList().findText(QStringLiteral("MS Sans Serif")), -1)
        << "the default font is offered though the system lacks it";
    rig.click("cmdChatOptionsDefault");
    for (size_t i = 0; i < kChatSwatches.size(); ++i)
        EXPECT_EQ(rig.panel.swatchColor(int(i)), ParseColor(kChatSwatches[i].defaultColor)) << i;
    EXPECT_EQ(rig.panel.fontList().currentText(), QStringLiteral("MS Sans Serif"));

    rig.click("cmdChatOptionsCancel");
    const ChatOptions untouched = [] {
        ChatOptions o;
        o.font = "DejaVu Serif";
        o.bg = rgb(10, 20, 30);
        o.server = rgb(1, 2, 3);
        return o;
    }();
    EXPECT_EQ(rig.options, untouched);
    EXPECT_EQ(rig.applied.count(), 0);
    EXPECT_EQ(rig.closed.count(), 1);

    rig.panel.openPanel({ QStringLiteral("DejaVu Serif") });
    EXPECT_EQ(shown(rig.panel.swatch(5)), QColor(255, 255, 255)) << "the swatches keep what was picked";
    rig.panel.fontList().setCurrentText(QStringLiteral("MS Sans Serif"));
    rig.click("cmdChatOptionsOK");
    EXPECT_EQ(rig.options, ChatOptions());
}

} // namespace
} // namespace kalvon
