#include "editor/model/editorstate.h"

#include "common/colortext.h"

#include <algorithm>
#include <stdexcept>

namespace kalvon::editor {

EditorState::EditorState()
    : m_slots(controlCatalogue().size())
    , m_swatches(kColorCount, static_cast<uint32_t>(kWhite))
{
    for (const ControlInfo& control : controlCatalogue()) {
        if (control.kind == ControlKind::List)
            m_slots[static_cast<size_t>(controlIndex(control.name))].value = -1;
    }
    for (std::string_view element : enableableElements())
        m_enabled.emplace(element, true);
    for (const SelectorInfo& selector : selectorTable()) {
        for (const SelectorPart& part : selector.parts) {
            m_visible.emplace(part.frame, true);
            m_visible.emplace(part.includeBox, true);
        }
    }
    for (const PageInfo& page : pageTable()) {
        m_visible.emplace(page.page, true);
        m_menuChecks.emplace(page.menuEntry, false);
    }
    for (std::string_view timer : previewTimers())
        m_timers.emplace(timer, false);
}

int EditorState::addListener(Listener listener)
{
    const int handle = m_nextListener++;
    m_listeners.emplace_back(handle, std::move(listener));
    return handle;
}

void EditorState::removeListener(int handle)
{
    std::erase_if(m_listeners, [handle](const auto& entry) { return entry.first == handle; });
}

void EditorState::notify(BytesView name)
{
    // A copy: a listener may add or remove listeners.
    const auto listeners = m_listeners;
    for (const auto& [handle, listener] : listeners)
        listener(name);
}

int EditorState::indexOf(BytesView name, ControlKind kind) const
{
    const int index = controlIndex(name);
    if (index < 0 || controlCatalogue()[static_cast<size_t>(index)].kind != kind)
        throw std::invalid_argument("no such editor control: " + Bytes(name));
    return index;
}

const Bytes& EditorState::text(BytesView name) const
{
    return m_slots[static_cast<size_t>(indexOf(name, ControlKind::Text))].text;
}

void EditorState::setText(BytesView name, BytesView value)
{
    const int index = indexOf(name, ControlKind::Text);
    Slot& slot = m_slots[static_cast<size_t>(index)];
    if (slot.text == value)
        return;
    slot.text = Bytes(value);
    notify(name);
    runHandler(controlCatalogue()[static_cast<size_t>(index)]);
}

int EditorState::value(BytesView checkBox) const
{
    return m_slots[static_cast<size_t>(indexOf(checkBox, ControlKind::Check))].value;
}

void EditorState::setValue(BytesView checkBox, int value)
{
    if (value < 0 || value > 2)
        throw std::invalid_argument("a check box takes 0, 1 or 2");
    const int index = indexOf(checkBox, ControlKind::Check);
    Slot& slot = m_slots[static_cast<size_t>(index)];
    if (slot.value == value)
        return;
    slot.value = value;
    notify(checkBox);
    runHandler(controlCatalogue()[static_cast<size_t>(index)]);
}

int EditorState::listIndex(BytesView list) const
{
    return m_slots[static_cast<size_t>(indexOf(list, ControlKind::List))].value;
}

void EditorState::setListIndex(BytesView list, int index)
{
    const int count = static_cast<int>(listEntries(list).size());
    if (index < -1 || index >= count)
        throw std::invalid_argument("no such list entry");
    const int position = indexOf(list, ControlKind::List);
    Slot& slot = m_slots[static_cast<size_t>(position)];
    if (slot.value == index)
        return;
    slot.value = index;
    notify(list);
    runHandler(controlCatalogue()[static_cast<size_t>(position)]);
}

void EditorState::runHandler(const ControlInfo& control)
{
    switch (control.handler) {
    case ChangeHandler::None: return;
    case ChangeHandler::SetsChanged: m_changed = true; return;
    case ChangeHandler::IncludeBox:
        m_changed = true;
        if (!control.frame.empty())
            setEnabled(control.frame, value(control.name) == 1);
        return;
    case ChangeHandler::BlockAnimation: {
        m_changed = true;
        const auto boxes = blockAnimationBoxes();
        const bool any
            = std::any_of(boxes.begin(), boxes.end(), [&](std::string_view box) { return value(box) == 1; });
        setEnabled(control.frame, any);
        return;
    }
    case ChangeHandler::TypeList: themeTypeChosen(); return;
    case ChangeHandler::PartSelector: applySelector(control.name, listIndex(control.name)); return;
    }
}

void EditorState::themeTypeChosen()
{
    m_changed = true;
    const bool typeZero = listIndex("cmbType") == 0;
    setEnabled("txtResource", !typeZero);
    setEnabled("cmdBrowseResource", !typeZero);
    setEnabled("fraTheme0", typeZero);
}

void EditorState::applySelector(BytesView list, int index)
{
    const auto selectors = selectorTable();
    const auto selector = std::find_if(
        selectors.begin(), selectors.end(), [&](const SelectorInfo& s) { return s.list == list; });
    const int count = static_cast<int>(selector->parts.size());
    int shown = index;
    if (index < 0 || index >= count) {
        if (!selector->otherIndexShowsLast)
            return;
        shown = count - 1;
    }
    for (int i = 0; i < count; ++i) {
        const SelectorPart& part = selector->parts[static_cast<size_t>(i)];
        setVisible(part.frame, i == shown);
        setVisible(part.includeBox, i == shown);
        if (i != shown && !part.timer.empty())
            setTimerEnabled(part.timer, false);
    }
}

void EditorState::selectTab(int tab)
{
    m_selectedTab = tab;
    applyPage(tab);
}

void EditorState::chooseMenuPage(int tab)
{
    applyPage(tab);
    selectTab(tab);
}

void EditorState::applyPage(int tab)
{
    const auto pages = pageTable();
    if (tab < 1 || tab > static_cast<int>(pages.size()))
        return;
    const PageInfo& shown = pages[static_cast<size_t>(tab - 1)];
    for (const PageInfo& page : pages)
        setVisible(page.page, page.tab == tab);
    m_shownPage = tab;
    m_windowHeightTwips = shown.windowHeightTwips;
    m_tabStripHeightTwips = shown.tabStripHeightTwips;
    for (std::string_view timer : previewTimers()) {
        const bool kept
            = std::find(shown.timersKept.begin(), shown.timersKept.end(), timer) != shown.timersKept.end();
        if (!kept)
            setTimerEnabled(timer, false);
    }
    for (const PageInfo& page : pages)
        setFlag(m_menuChecks, page.menuEntry, page.tab == tab);
    notify("tabMain");
}

template <typename FlagMap> auto& EditorState::flagIn(FlagMap& map, BytesView name)
{
    const auto found = map.find(name);
    if (found == map.end())
        throw std::invalid_argument("no such editor element: " + Bytes(name));
    return found->second;
}

void EditorState::setFlag(Flags& map, BytesView name, bool value)
{
    bool& current = flagIn(map, name);
    if (current == value)
        return;
    current = value;
    notify(name);
}

bool EditorState::enabled(BytesView element) const
{
    return flagIn(m_enabled, element);
}

void EditorState::setEnabled(BytesView element, bool enabled)
{
    setFlag(m_enabled, element, enabled);
}

bool EditorState::visible(BytesView element) const
{
    return flagIn(m_visible, element);
}

void EditorState::setVisible(BytesView element, bool visible)
{
    setFlag(m_visible, element, visible);
}

bool EditorState::timerEnabled(BytesView timer) const
{
    return flagIn(m_timers, timer);
}

void EditorState::setTimerEnabled(BytesView timer, bool enabled)
{
    setFlag(m_timers, timer, enabled);
}

bool EditorState::menuChecked(BytesView menuEntry) const
{
    return flagIn(m_menuChecks, menuEntry);
}

uint32_t EditorState::swatchColor(int index) const
{
    return m_swatches.at(static_cast<size_t>(index));
}

void EditorState::setSwatchColor(int index, uint32_t color)
{
    uint32_t& current = m_swatches.at(static_cast<size_t>(index));
    if (current == color)
        return;
    current = color;
    notify(elementName("picPreviewColor", index));
}

} // namespace kalvon::editor
