#pragma once
// The small pickers that pages and windows share: the sound and picture file choosers, the
// general colour chooser and the drop boxes. Their decisions are in file_pickers.h.

#include "dialogs/file_pickers.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

namespace zentrava {

// True when a file of the kind was chosen: `current` then holds its path and display name. On
// cancel `current` is left as it was; a file of another kind empties it after telling the user.
bool ChooseSoundFile(HWND owner, ChosenFile& current);
bool ChoosePictureFile(HWND owner, ChosenFile& current);

// The platform's colour dialog, centred on the screen, starting from `start`. The sixteen
// custom colours last for the whole run, so a colour mixed once is offered again; the first of
// them is always the starting colour. Nothing when the user cancelled.
std::optional<COLORREF> ChooseColour(HWND owner, COLORREF start);

// The text colour chooser: the same dialog, but fresh each time, its custom colours blank except
// the first, which is `start`. Nothing when the user cancelled.
std::optional<COLORREF> ChooseTextColour(HWND owner, COLORREF start);

// The clock font's chooser, centred, without its size and colour boxes. On OK `font` takes the
// chosen face and `colour` the chosen text colour; on cancel both are left as they were.
bool ChooseClockFont(HWND owner, LOGFONTA& font, COLORREF& colour);

// An edit that takes one dropped file of its kind. On such a drop `onDrop` gets the file (the
// owner puts it into its working copy and marks its page changed) and the edit shows the file's
// name; every other drop is ignored without a word.
class DropBox {
public:
    DropBox() = default;
    DropBox(const DropBox&) = delete;
    DropBox& operator=(const DropBox&) = delete;
    ~DropBox() { Detach(); }

    bool Attach(HWND edit, FileKind kind, std::function<void(const ChosenFile&)> onDrop);
    // The edit gets its own procedure back; also done when the edit is destroyed.
    void Detach();

    // The edit's subclass procedure; public only so that it can be registered.
    static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);

private:
    void OnDrop(HDROP drop);

    HWND edit_ = nullptr;
    FileKind kind_ = FileKind::Sound;
    std::function<void(const ChosenFile&)> onDrop_;
};

} // namespace zentrava
