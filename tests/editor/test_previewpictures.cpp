// The preview pictures: frame files loaded into the part's strip and played into its preview
// box on the fake clock; a frame that cannot be loaded repeats the one before; parts sharing a
// strip never read past what it holds; the single-image previews of the interface and the
// miscellaneous images.

#include "common/cp1252.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/previewpictures.h"
#include "support/fakeclock.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <QImage>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::testing::FakeClock;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

const QRgb kColors[] = { 0xffff0000, 0xff00ff00, 0xff0000ff, 0xffffff00, 0xff00ffff };

struct PicturesRig {
    ScratchFolder resources;
    EditorState state;
    ScriptedDialogs dialogs;
    FakeClock clock{ 10000 };
    PreviewPictures pictures{ state, dialogs, clock };

    PicturesRig()
    {
        StartEditor(state);
        state.files().ResourceDir = utf8ToCp1252(resources.path().string()) + "/";
    }

    void writeImage(const std::string& name, QSize size, QRgb color) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(QString::fromStdString((resources / name).string()), "BMP"));
    }

    QRgb boxPixel(BytesView box) const { return pictures.picture(box).pixel(0, 0); }

    // The colours the box shows after each of `ticks` ticks, 20 ms apart.
    std::vector<QRgb> play(BytesView button, int ticks)
    {
        const PreviewPart& part = *findPreviewPart(button);
        std::vector<QRgb> shown;
        for (int i = 0; i < ticks; ++i) {
            clock.advance(20);
            pictures.tick(part);
            shown.push_back(boxPixel(part.previewBox));
        }
        return shown;
    }
};

} // namespace

TEST(PreviewPictures, BuildsTheStripAndPlaysItsFramesAtTheirDelay)
{
    PicturesRig rig;
    for (int i = 1; i <= 3; ++i)
        rig.writeImage("bg" + std::to_string(i) + ".bmp", QSize(192, 352), kColors[i - 1]);
    rig.state.setValue("chkBGAni", 1);
    rig.state.setText("txtBGNum", "3");
    rig.state.setText("txtBGDelay", "10");
    rig.state.setText("txtBStart", "bg1.bmp");

    rig.pictures.build(*findPreviewPart("cmdPreviewBG"));
    EXPECT_TRUE(rig.state.timerEnabled("tmrBGPreview"));
    EXPECT_EQ(rig.pictures.strip(PreviewStrip::Background).height(), 3 * 352);
    EXPECT_EQ(rig.play("cmdPreviewBG", 5),
        (std::vector<QRgb>{ kColors[0], kColors[1], kColors[2], kColors[0], kColors[1] }));

    // Reverse is read at every tick; unticking the animate box shows the still first frame.
    rig.state.setValue("chkBGReverse", 1);
    EXPECT_EQ(rig.play("cmdPreviewBG", 2), (std::vector<QRgb>{ kColors[0], kColors[2] }));
    rig.state.setValue("chkBGAni", 0);
    EXPECT_EQ(rig.play("cmdPreviewBG", 2), (std::vector<QRgb>{ kColors[0], kColors[0] }));
}

TEST(PreviewPictures, AFrameThatCannotBeLoadedRepeatsTheFrameBefore)
{
    PicturesRig rig;
    rig.writeImage("boom1.bmp", QSize(192, 64), kColors[0]);
    rig.writeImage("boom3.bmp", QSize(192, 64), kColors[2]);
    // Found whatever the case of the name in the box.
    rig.state.setText("txtExplosionImage", "BOOM1.bmp");
    rig.state.setText("txtExplosionNum", "3");
    rig.state.setText("txtExplosionDelay", "0");
    rig.pictures.build(*findPreviewPart("cmdPreviewExplosion"));
    EXPECT_EQ(rig.play("cmdPreviewExplosion", 4),
        (std::vector<QRgb>{ kColors[0], kColors[0], kColors[2], kColors[0] }));
}

TEST(PreviewPictures, TheBombShowsSixtyFourPixelFrames)
{
    PicturesRig rig;
    rig.writeImage("bomb1.bmp", QSize(64, 64), kColors[3]);
    rig.writeImage("bomb2.bmp", QSize(64, 64), kColors[4]);
    rig.state.setText("txtBombImage", "bomb1.bmp");
    rig.state.setText("txtBombNum", "2");
    rig.pictures.build(*findPreviewPart("cmdPreviewBomb"));
    EXPECT_EQ(rig.pictures.picture("picPreviewBomb").width(), 64);
    EXPECT_EQ(rig.pictures.strip(PreviewStrip::Blocks).height(), 128);
    EXPECT_EQ(rig.play("cmdPreviewBomb", 3), (std::vector<QRgb>{ kColors[3], kColors[4], kColors[3] }));
}

TEST(PreviewPictures, APartWhoseStripWasReplacedShowsNothingItDoesNotHold)
{
    PicturesRig rig;
    rig.writeImage("blk1.bmp", QSize(96, 80), kColors[0]);
    rig.writeImage("next1.bmp", QSize(77, 77), kColors[1]);
    rig.state.setValue("chkBlkAni", 1);
    rig.state.setText("txtBlkNum", "1");
    rig.state.setText("txtBlkStart", "blk1.bmp");
    rig.pictures.build(*findPreviewPart("cmdPreviewBlocks"));
    EXPECT_EQ(rig.play("cmdPreviewBlocks", 1), std::vector<QRgb>{ kColors[0] });

    // The next-block window's build replaces the shared strip with one 77-pixel frame: less
    // than one block frame, so the still running blocks preview keeps its last picture.
    rig.state.setValue("chkNextAni", 1);
    rig.state.setText("txtNextNum", "1");
    rig.state.setText("txtNextImage", "next1.bmp");
    rig.pictures.build(*findPreviewPart("cmdPreviewNext"));
    EXPECT_TRUE(rig.state.timerEnabled("tmrPreviewBlk"));
    EXPECT_EQ(rig.play("cmdPreviewBlocks", 3), (std::vector<QRgb>(3, kColors[0])));
    EXPECT_EQ(rig.play("cmdPreviewNext", 1), std::vector<QRgb>{ kColors[1] });
}

TEST(PreviewPictures, SingleImagePreviewsOfTheInterfaceAndTheMiscellaneousImages)
{
    PicturesRig rig;
    rig.writeImage("main.bmp", QSize(40, 30), kColors[1]);
    rig.state.setText("txtIMain", "main.bmp");
    rig.pictures.previewInterface(0);
    EXPECT_EQ(rig.boxPixel(kInterfacePreviewBox), kColors[1]);
    EXPECT_TRUE(rig.dialogs.calls.empty());

    // An empty box names the resource folder itself, which is no picture.
    rig.pictures.previewInterface(1);
    ASSERT_EQ(rig.dialogs.messages(),
        std::vector<Bytes>{ "Unable to load image: " + rig.state.files().ResourceDir });
    EXPECT_EQ(rig.boxPixel(kInterfacePreviewBox), kColors[1]);

    // The miscellaneous preview is silent and shows the picture the loading surface last held.
    rig.state.setText("txtMiscImage(3)", "missing.bmp");
    rig.pictures.previewMiscImage(3);
    EXPECT_EQ(rig.dialogs.calls.size(), 1u);
    EXPECT_TRUE(rig.pictures.picture(kMiscPreviewBox).isNull());
    rig.pictures.previewInterface(0);
    rig.pictures.previewMiscImage(3);
    EXPECT_EQ(rig.boxPixel(kMiscPreviewBox), kColors[1]);
}
