#include "shell/cFileDialog.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "shell/RaisedError.h"

namespace tess {
namespace {

constexpr std::uint32_t kRecordSize = 76;
constexpr std::uint32_t kBufferLength = 1024;
constexpr std::uint32_t kMultipleSelectionBufferLength = 8192;
constexpr const char* kOpenCancelSource = "Tessaline.cFileDialog";
// Spelled unlike the open dialog's source, and callers match the exact text: not a slip to fix.
constexpr const char* kSaveCancelSource = "Tessaline.cFilenDialog";
constexpr const char* kCancelDescription = "User selected cancel.";

std::string WithTwoNuls(const std::string& text) { return text + std::string(2, '\0'); }

// The filter as the dialog reads it: every "|" and ":" becomes a NUL, and two NULs end it.
std::string FilterList(const std::string& filter)
{
    std::string list = filter;
    for (char& c : list) {
        if (c == '|' || c == ':')
            c = '\0';
    }
    return WithTwoNuls(list);
}

// `text` padded with NULs to `length`; all NULs when what the dialog reads of it, the part
// before its first NUL, leaves no room for a closing one. A multiple selection fills its buffer
// whole, and is proposed again as it came.
std::string Buffer(const std::string& text, std::uint32_t length)
{
    std::string buffer = BeforeNul(text).size() < length ? text.substr(0, length) : std::string();
    buffer.resize(length, '\0');
    return buffer;
}

// Rebuilds the file and title buffers for a Show call from the instance's values.
void PrepareBuffers(OPENFILENAME& record, const std::string& filename, const std::string& fileTitle,
                    std::uint32_t length)
{
    record.lpstrFile = Buffer(filename, length);
    record.nMaxFile = length;
    record.lpstrFileTitle = Buffer(fileTitle, length);
    record.nMaxFileTitle = length;
}

// Runs the dialog. True on a choice. On a cancel: raises the cancel error when asked to,
// otherwise false.
bool ChoiceMade(const FileDialogFunction& showDialog, FileDialogKind kind, OPENFILENAME& record, bool cancelError,
                const char* cancelSource)
{
    if (showDialog(kind, record))
        return true;
    if (cancelError)
        throw RaisedError(kUserCancelledError, cancelSource, kCancelDescription);
    return false;
}

// Appends each NUL-separated name of `names` to sFiles at index lFileCount, counting on. A count
// that no index can take throws std::out_of_range, as a failed allocation throws, before
// anything is written.
void AppendNames(std::string_view names, std::vector<std::string>& sFiles, std::int32_t& lFileCount)
{
    const auto added = static_cast<std::int32_t>(std::count(names.begin(), names.end(), '\0') + 1);
    if (lFileCount < 0 || lFileCount > INT32_MAX - added)
        throw std::out_of_range("ParseMultiFileName: no index " + std::to_string(lFileCount) + " in a list of names");
    sFiles.resize(static_cast<std::size_t>(lFileCount) + static_cast<std::size_t>(added));
    std::size_t start = 0;
    for (std::size_t index = static_cast<std::size_t>(lFileCount); index < sFiles.size(); ++index) {
        const std::size_t end = std::min(names.find('\0', start), names.size());
        sFiles[index] = std::string(names.substr(start, end - start));
        start = end + 1;
    }
    lFileCount += added;
}

}  // namespace

cFileDialog::cFileDialog(FileDialogFunction showDialog) : showDialog_(std::move(showDialog))
{
    record_.lStructSize = kRecordSize;
    record_.nFilterIndex = 1;
}

bool cFileDialog::CancelError() const { return cancelError_; }
void cFileDialog::CancelError(bool bCancelError) { cancelError_ = bCancelError; }

const std::string& cFileDialog::Filename() const { return filename_; }
void cFileDialog::Filename(const std::string& sFilename) { filename_ = sFilename; }

const std::string& cFileDialog::FileTitle() const { return fileTitle_; }
void cFileDialog::FileTitle(const std::string& vNewValue) { fileTitle_ = vNewValue; }

const std::string& cFileDialog::Filter() const { return filter_; }
void cFileDialog::Filter(const std::string& sFilter)
{
    filter_ = sFilter;
    record_.lpstrFilter = FilterList(sFilter);
}

std::int32_t cFileDialog::FilterIndex() const { return static_cast<std::int32_t>(record_.nFilterIndex); }
void cFileDialog::FilterIndex(std::int32_t lFilterIndex)
{
    record_.nFilterIndex = static_cast<std::uint32_t>(lFilterIndex);
}

const std::string& cFileDialog::DefaultExt() const { return defaultExt_; }
void cFileDialog::DefaultExt(const std::string& sDefaultExt)
{
    defaultExt_ = sDefaultExt;
    record_.lpstrDefExt = WithTwoNuls(sDefaultExt);
}

std::string cFileDialog::DialogTitle() const { return record_.lpstrTitle.value_or(std::string()); }
void cFileDialog::DialogTitle(const std::string& vNewValue) { record_.lpstrTitle = vNewValue; }

std::int32_t cFileDialog::Flags() const { return flags_; }
void cFileDialog::Flags(std::int32_t vNewValue) { flags_ = vNewValue; }

QWidget* cFileDialog::hWnd() const { return record_.hwndOwner; }
void cFileDialog::hWnd(QWidget* vNewValue) { record_.hwndOwner = vNewValue; }

const std::string& cFileDialog::InitDir() const { return initDir_; }
void cFileDialog::InitDir(const std::string& vNewValue)
{
    initDir_ = vNewValue;
    record_.lpstrInitialDir = WithTwoNuls(vNewValue);
}

void cFileDialog::ShowOpen()
{
    record_.Flags = static_cast<std::uint32_t>(flags_);
    const bool multiple = (record_.Flags & OFN_ALLOWMULTISELECT) != 0;
    // Asks for the NUL-separated form of a multiple selection, the form ParseMultiFileName reads.
    if (multiple)
        record_.Flags |= OFN_EXPLORER;
    const std::uint32_t length = multiple ? kMultipleSelectionBufferLength : kBufferLength;
    PrepareBuffers(record_, filename_, fileTitle_, length);
    if (!ChoiceMade(showDialog_, FileDialogKind::Open, record_, cancelError_, kOpenCancelSource))
        return;
    const std::string chosen = record_.lpstrFile.value_or(std::string());
    filename_ = (record_.Flags & OFN_ALLOWMULTISELECT) ? chosen : BeforeNul(chosen);
}

void cFileDialog::ShowSave()
{
    record_.Flags = static_cast<std::uint32_t>(flags_);
    PrepareBuffers(record_, filename_, fileTitle_, kBufferLength);
    if (ChoiceMade(showDialog_, FileDialogKind::Save, record_, cancelError_, kSaveCancelSource))
        filename_ = BeforeNul(record_.lpstrFile.value_or(std::string()));
}

void cFileDialog::ParseMultiFileName(std::string& sDir, std::vector<std::string>& sFiles,
                                     std::int32_t& lFileCount) const
{
    // The list runs up to the first pair of NULs; without such a pair there is none.
    const std::size_t listEnd = filename_.find(std::string_view("\0\0", 2));
    const std::string_view list =
        listEnd == std::string::npos ? std::string_view() : std::string_view(filename_).substr(0, listEnd);
    if (const std::size_t nul = list.find('\0'); nul != std::string_view::npos) {
        AppendNames(list.substr(nul + 1), sFiles, lFileCount);
        sDir = std::string(list.substr(0, nul));
        return;
    }
    lFileCount = 1;
    const std::size_t slash = filename_.rfind('/');
    if (slash == std::string::npos) {
        sDir.clear();
        sFiles = {filename_};
        return;
    }
    sDir = filename_.substr(0, slash + 1);
    sFiles = {BeforeNul(filename_.substr(slash + 1))};
}

}  // namespace tess
