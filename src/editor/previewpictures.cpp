#include "editor/previewpictures.h"

#include "common/dialogs.h"
#include "editor/model/browsing.h"
#include "editor/model/editorpaths.h"
#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"

#include <algorithm>

namespace kalvon::editor {

PreviewPictures::PreviewPictures(EditorState& state, Dialogs& dialogs, const Clock& clock)
    : m_state(state)
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_playback(previewParts().size())
{
    // A box shared by two parts is as large as the larger frame.
    std::map<Bytes, QSize, std::less<>> sizes;
    for (const PreviewPart& part : previewParts()) {
        QSize& size = sizes[Bytes(part.previewBox)];
        size = size.expandedTo(QSize(part.frameWidth, part.frameHeight));
    }
    for (const auto& [box, size] : sizes)
        m_boxes.emplace(box, Surface(size.width(), size.height()));
    m_boxes.emplace(kInterfacePreviewBox, Surface());
    m_boxes.emplace(kMiscPreviewBox, Surface());
}

size_t PreviewPictures::indexOf(const PreviewPart& part)
{
    return static_cast<size_t>(&part - previewParts().data());
}

bool PreviewPictures::loadFile(BytesView file)
{
    const std::optional<std::filesystem::path> path = findLocalFile(file);
    return path && m_loading.load(*path);
}

void PreviewPictures::build(const PreviewPart& part)
{
    const std::optional<PreviewBuild> plan = PlanPreviewBuild(m_state, part, m_dialogs);
    if (!plan)
        return;
    const int frames = static_cast<int>(plan->frameFiles.size());
    Surface strip = frames > 0 ? Surface(part.frameWidth, frames * part.frameHeight) : Surface();
    for (int i = 0; i < frames; ++i) {
        // A frame that cannot be loaded repeats whatever the loading surface holds.
        loadFile(plan->frameFiles[static_cast<size_t>(i)]);
        strip.bitBlt(0, i * part.frameHeight, part.frameWidth, part.frameHeight, m_loading.picture(), 0, 0);
    }
    const auto surface = static_cast<size_t>(part.strip);
    m_strips[surface] = std::move(strip);
    ++m_stripGenerations[surface];
    m_playback[indexOf(part)] = PreviewPlayback{ 0, plan->startFrame };
    m_state.setTimerEnabled(part.timer, true);
}

void PreviewPictures::tick(const PreviewPart& part)
{
    const auto surface = static_cast<size_t>(part.strip);
    const Surface& strip = m_strips[surface];
    const int framesInStrip = strip.height() / part.frameHeight;
    const std::optional<int> frame
        = PreviewTick(m_state, part, m_playback[indexOf(part)], m_clock, framesInStrip);
    if (!frame)
        return;
    // Most ticks show the frame already in the box: nothing to copy or repaint.
    const Shown now{ static_cast<int>(indexOf(part)), *frame, m_stripGenerations[surface] };
    Shown& shown = m_shown[Bytes(part.previewBox)];
    if (shown.part == now.part && shown.frame == now.frame && shown.stripGeneration == now.stripGeneration)
        return;
    shown = now;
    Surface& box = m_boxes.find(part.previewBox)->second;
    box.bitBlt(0, 0, part.frameWidth, part.frameHeight, strip, 0, *frame * part.frameHeight);
    notify(part.previewBox);
}

void PreviewPictures::tickRunning()
{
    for (const PreviewPart& part : previewParts()) {
        if (m_state.timerEnabled(part.timer))
            tick(part);
    }
}

void PreviewPictures::previewInterface(int index)
{
    const auto boxes = interfaceBoxes();
    if (index < 0 || index >= static_cast<int>(boxes.size()))
        return;
    const Bytes file = ResourceFilePath(m_state.files(), m_state.text(boxes[static_cast<size_t>(index)]));
    m_loading.load({});
    if (!loadFile(file)) {
        m_dialogs.messageBox("Unable to load image: " + file, "Error", MessageIcon::Critical);
        return;
    }
    showPicture(kInterfacePreviewBox, m_loading.picture());
}

void PreviewPictures::previewMiscImage(int index)
{
    if (index < 0 || index >= kMiscImageCount)
        return;
    loadFile(ResourceFilePath(m_state.files(), m_state.text(elementName("txtMiscImage", index))));
    showPicture(kMiscPreviewBox, m_loading.picture());
}

const Surface& PreviewPictures::picture(BytesView box) const
{
    return m_boxes.find(box)->second;
}

void PreviewPictures::showPicture(BytesView box, const Surface& picture)
{
    m_boxes.find(box)->second = picture;
    notify(box);
}

void PreviewPictures::addListener(std::function<void(BytesView)> listener)
{
    m_listeners.push_back(std::move(listener));
}

void PreviewPictures::notify(BytesView box)
{
    for (const auto& listener : m_listeners)
        listener(box);
}

} // namespace kalvon::editor
