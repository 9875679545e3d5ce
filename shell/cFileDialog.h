#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/FileDialogFunction.h"
#include "shell/OpenFileName.h"
#include "shell/QtFileDialog.h"

namespace tess {

// The number of the error a Show call raises on a cancel when CancelError is true.
inline constexpr std::int32_t kUserCancelledError = 32755;

// An open or save file dialog described by properties: set what is needed, call ShowOpen or
// ShowSave, read Filename (and FilterIndex). An instance may be shown any number of times; its
// record keeps what the dialog wrote back. Texts are UTF-8; paths are the file system's bytes,
// passed on as they are.
class cFileDialog {
public:
    // `showDialog` is the dialog the user sees; the default is Qt's.
    explicit cFileDialog(FileDialogFunction showDialog = ShowQtFileDialog);

    // True: a cancelled Show throws RaisedError. False (initially): it returns quietly.
    bool CancelError() const;
    void CancelError(bool bCancelError);
    // The choice of the last successful Show, and the name the next Show proposes. After a
    // multiple-selection ShowOpen it is the whole NUL-separated buffer (see ParseMultiFileName).
    const std::string& Filename() const;
    void Filename(const std::string& sFilename);
    // Handed to the dialog; the dialog never changes it.
    const std::string& FileTitle() const;
    void FileTitle(const std::string& vNewValue);
    // "description|pattern|description|pattern..."; ":" separates as "|" does, and one pattern
    // may join several wildcards with ";" (see NameFilter). Returned as given.
    const std::string& Filter() const;
    void Filter(const std::string& sFilter);
    // The 1-based Filter entry selected when the dialog opens (1 initially); after a choice, the
    // entry the user had selected.
    std::int32_t FilterIndex() const;
    void FilterIndex(std::int32_t lFilterIndex);
    // The extension given to a name typed without one.
    const std::string& DefaultExt() const;
    void DefaultExt(const std::string& sDefaultExt);
    // The dialog's window title; empty leaves the dialog's own.
    std::string DialogTitle() const;
    void DialogTitle(const std::string& vNewValue);
    // OFN_* flags, returned as set: what a Show adds stays in its record.
    std::int32_t Flags() const;
    void Flags(std::int32_t vNewValue);
    // The window that owns the dialog (null: none); not owned here, and must outlive each Show.
    QWidget* hWnd() const;
    void hWnd(QWidget* vNewValue);
    // The folder the dialog starts in; empty leaves the dialog's own.
    const std::string& InitDir() const;
    void InitDir(const std::string& vNewValue);

    // Show the open or the save dialog and return when it has closed. On a choice Filename is
    // the chosen path. On a cancel, or when the dialog failed, Filename keeps its value, and if
    // CancelError is true RaisedError kUserCancelledError "User selected cancel." is thrown, with
    // source "Tessaline.cFileDialog" (ShowOpen) or "Tessaline.cFilenDialog" (ShowSave).
    // A Filename or FileTitle that leaves no room for a closing NUL in its buffer (1024 bytes;
    // 8192 for a multiple-selection ShowOpen) is not proposed to the dialog.
    void ShowOpen();
    void ShowSave();
    // Splits Filename into its folder and names. Several names (a multiple selection): sDir is
    // the folder without a final "/" (the root keeps it), and each name is appended to sFiles at
    // index lFileCount, which counts on from the value passed in; a negative count, or one that
    // the names would carry past the largest 32-bit count, throws std::out_of_range and leaves
    // all three as they were. Otherwise:
    // lFileCount is 1, sFiles holds the name alone, and sDir is the folder with its final "/",
    // or empty when Filename holds no "/".
    void ParseMultiFileName(std::string& sDir, std::vector<std::string>& sFiles, std::int32_t& lFileCount) const;

private:
    OPENFILENAME record_;
    bool cancelError_ = false;
    std::string filename_;
    std::string fileTitle_;
    std::string filter_;
    std::string defaultExt_;
    std::string initDir_;
    std::int32_t flags_ = 0;
    FileDialogFunction showDialog_;
};

}  // namespace tess
