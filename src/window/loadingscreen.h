#pragma once
// The loading window (frmLoading) as the start-up sequence sees it: shown at the first step,
// its file label and progress bar updated along the way, closed at the end. The widget is
// LoadingWindow; tests record the calls.

#include "common/bytes.h"

namespace kalvon {

// The file label's text at the first step, while the program's controls are made.
inline constexpr BytesView kFirstLoadingStep = "Initializing Controls";

class LoadingScreen {
public:
    virtual ~LoadingScreen() = default;
    // Shown (not modal), captioned with the program's title.
    virtual void showLoading() = 0;
    virtual bool loadingVisible() const = 0;
    // The file label (lblFile): the step or the file being loaded.
    virtual void setFileText(BytesView text) = 0;
    // LoadProgress := percent (0..100), and the bar drawn for it (DrawLoadingProgress).
    virtual void setProgress(int percent) = 0;
    virtual void closeLoading() = 0;
};

} // namespace kalvon
