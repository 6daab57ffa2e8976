#include "editor/soundspage.h"

#include "editor/animatedsetform.h"
#include "editor/controlbinder.h"
#include "editor/model/browsing.h"
#include "editor/model/soundtryout.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"
#include "platform/qtext.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon::editor {

namespace {

using namespace layout;

// Row captions in the order of soundBoxes().
const char* const kCaptions[] = {
    "Rotate Block:",
    "Drop Block:",
    "Start Game:",
    "Lose Game:",
    "Win Game:",
    "Make Line:",
    "Quad:",
    "Explosion:",
    "Chat Message:",
    "Menu Click:",
    "Shield:",
};

} // namespace

SoundsPage::SoundsPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kPageWidth, 352);
    ControlBinder& binder = context.binder;
    QGroupBox* sounds = buildIncludedFrame(context, this, frameBelowIncludeBox(352), "chkSounds",
        QStringLiteral("Include Sounds in Theme"), "fraSound", QStringLiteral("Sounds"), PartChoice::Always);
    const auto boxes = soundBoxes();
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        const int y = rowY(i);
        caption(sounds, this, QString::fromLatin1(kCaptions[i]), y);
        place(binder.lineEdit(boxes[static_cast<size_t>(i)], sounds), this,
            QRect(kFieldX, y, kFieldWidth, kFieldHeight));
        connect(browseButton(sounds, this, y, arrayName("cmdBrowseSound", i)), &QPushButton::clicked, this,
            [&context, i] { BrowseSound(context.state, context.dialogs, i); });
        connect(button(sounds, this, QStringLiteral("Play"),
                    QRect(kPreviewX, y - 1, kPreviewWidth, kButtonHeight), arrayName("cmdPlaySound", i)),
            &QPushButton::clicked, this, [&context, i] { context.tryout.playSound(i); });
    }

    QGroupBox* music = buildIncludedFrame(context, this, QRect(kRightColumnX, 24, 204, 104), "chkMusic",
        QStringLiteral("Include Music in Theme"), "fraMusic", QStringLiteral("Music"), PartChoice::Always);
    place(binder.lineEdit("txtMusic", music), this, QRect(kRightColumnX + 8, 48, 188, kFieldHeight));
    connect(button(music, this, QStringLiteral("Browse"),
                QRect(kRightColumnX + 8, 76, kBrowseWidth, kButtonHeight), QStringLiteral("cmdBrowseMusic")),
        &QPushButton::clicked, this, [&context] { BrowseMusic(context.state, context.dialogs); });
    QPushButton* play = button(music, this, toQString(context.tryout.musicCaption()),
        QRect(kRightColumnX + 100, 76, 96, kButtonHeight), QStringLiteral("cmdPlayMusic"));
    connect(play, &QPushButton::clicked, this, [&context, play] {
        context.tryout.toggleMusic();
        play->setText(toQString(context.tryout.musicCaption()));
    });
}

} // namespace kalvon::editor
