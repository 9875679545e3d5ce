#include "ui/Pickers.h"

#include "shell/RaisedError.h"
#include "shell/cFileDialog.h"

namespace tess {

namespace {

constexpr const char* kSourceFilter = "文本文件(*.TXT)|*.txt";
constexpr const char* kFolderPrompt = "请选择一个目录用于存放分割后的文件.";

}  // namespace

std::string PickSourceFile(const FileDialogFunction& showDialog, QWidget* owner)
{
    cFileDialog dialog(showDialog);
    dialog.Filter(kSourceFilter);
    dialog.Flags(OFN_FILEMUSTEXIST);
    dialog.hWnd(owner);
    dialog.CancelError(true);
    try {
        dialog.ShowOpen();
    } catch (const RaisedError&) {
        // The user cancelled; Filename kept its empty value, which tells the caller so.
    }
    return dialog.Filename();
}

std::string PickDestinationFolder(const modBrowseForFolder::FolderBrowserFunction& browse, QWidget* owner)
{
    std::string folder = browse(owner, kFolderPrompt);
    // Piece names are appended to the folder text as it is; the root "/" already ends in one.
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

}  // namespace tess
