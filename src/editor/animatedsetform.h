#pragma once
// The rows of one animated image set on a page (background, internet background, blocks,
// next-block window, special window, explosion, bomb): its include box and frame, the first
// frame's file with Browse and Preview, the frame count, the animate boxes and the
// "Animation Configuration" frame, or for the explosion and bomb their plain rows.

#include "editor/model/animationpreview.h"
#include "editor/model/browsing.h"

#include <QRect>
#include <QString>
#include <string_view>
#include <utility>
#include <vector>

class QGroupBox;
class QWidget;

namespace kalvon::editor {

struct PageContext;

struct AnimatedSetForm {
    std::string_view includeBox;
    QString includeCaption;
    std::string_view frame;
    QString frameTitle;
    std::string_view browseButton; // an entry of imageSetButtons()
    std::string_view previewButton; // an entry of previewParts()
    std::vector<std::pair<std::string_view, QString>> animateBoxes;
    std::string_view animationFrame; // "" for a set without one (explosion, bomb)
    std::string_view stillBox; // "" likewise
    std::pair<std::string_view, QString> transparencyBox; // name "" for none
};

void buildAnimatedSet(PageContext& context, QWidget* page, int pageHeight, const AnimatedSetForm& form);

// A part's include box at the top left of a page and its frame below it, enabled while the box
// is ticked; a part of a page with a "Data Set to Edit:" list is also shown only while chosen.
enum class PartChoice { Always, BySelector };
QGroupBox* buildIncludedFrame(PageContext& context, QWidget* page, const QRect& frameRect,
    std::string_view includeBox, const QString& includeCaption, std::string_view frame,
    const QString& frameTitle, PartChoice choice);

// The "Data Set to Edit:" list of a page with several sets, beside the include boxes.
void buildSetSelector(PageContext& context, QWidget* page, std::string_view list);

} // namespace kalvon::editor
