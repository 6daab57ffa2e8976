#pragma once
// The dialogs interface over Qt's standard dialogs.

#include "common/dialogs.h"

#include <QString>
#include <functional>

class QWidget;

namespace kalvon {

class QtDialogs final : public Dialogs {
public:
    // `parent` owns the boxes; `aroundModal` is called with false before a box and true after
    // it, so a stay-on-top window can step out of the way (ClearTopmost/ApplyStayOnTop).
    QtDialogs(QWidget* parent, QString programName, std::function<void(bool)> aroundModal = {});

    MessageAnswer messageBox(
        BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons) override;
    std::optional<Bytes> inputBox(BytesView prompt, BytesView title, BytesView defaultAnswer) override;
    std::optional<Bytes> openFile(const FileDialogRequest& request) override;
    std::optional<Bytes> saveFile(const FileDialogRequest& request) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

    // The Qt name filter for a "desc|pattern|" text; each pattern matches both cases.
    static QString qtNameFilter(BytesView filter);
    // A box's text as shown: lines break at CR LF, at a lone CR and at a lone LF.
    static QString boxText(BytesView text);

private:
    QString titleOrProgram(BytesView title) const;
    std::optional<Bytes> fileDialog(const FileDialogRequest& request, bool save);

    QWidget* m_parent;
    QString m_programName;
    std::function<void(bool)> m_aroundModal;
};

} // namespace kalvon
