#include "shell/cFileDialog.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QWidget>
#include <gtest/gtest.h>

#include "shell/RaisedError.h"

namespace tess {
namespace {

using namespace std::string_literals;

// Stands in for the dialog the user sees: keeps a copy of every record it is shown and answers
// as a real dialog would, with a file buffer padded to the record's length and the filter the
// user had selected, or with a cancel.
class FakeFileDialog {
public:
    void choose(std::string fileBuffer, std::uint32_t filterIndex)
    {
        choice_ = std::make_pair(std::move(fileBuffer), filterIndex);
    }
    void cancel() { choice_.reset(); }

    FileDialogFunction function()
    {
        return [this](FileDialogKind kind, OPENFILENAME& record) {
            kinds.push_back(kind);
            records.push_back(record);
            if (!choice_)
                return false;
            std::string buffer = choice_->first;
            buffer.resize(record.nMaxFile, '\0');
            record.lpstrFile = buffer;
            record.nFilterIndex = choice_->second;
            return true;
        };
    }

    std::vector<FileDialogKind> kinds;
    std::vector<OPENFILENAME> records;

private:
    std::optional<std::pair<std::string, std::uint32_t>> choice_;
};

class cFileDialogTest : public ::testing::Test {
protected:
    // The record of the last Show call, as the dialog received it.
    const OPENFILENAME& shownRecord() const { return fake.records.back(); }

    FakeFileDialog fake;
    cFileDialog dialog{fake.function()};
};

TEST_F(cFileDialogTest, AFreshInstanceHasItsInitialValuesAndLeavesUnsetTextsAbsent)
{
    EXPECT_FALSE(dialog.CancelError());
    EXPECT_EQ(dialog.Filename(), "");
    EXPECT_EQ(dialog.FileTitle(), "");
    EXPECT_EQ(dialog.Filter(), "");
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_EQ(dialog.DefaultExt(), "");
    EXPECT_EQ(dialog.DialogTitle(), "");
    EXPECT_EQ(dialog.Flags(), 0);
    EXPECT_EQ(dialog.hWnd(), nullptr);
    EXPECT_EQ(dialog.InitDir(), "");

    dialog.ShowOpen();
    const OPENFILENAME& record = shownRecord();
    EXPECT_EQ(record.lStructSize, 76u);
    EXPECT_EQ(record.nFilterIndex, 1u);
    EXPECT_EQ(record.hwndOwner, nullptr);
    EXPECT_FALSE(record.lpstrFilter.has_value());
    EXPECT_FALSE(record.lpstrCustomFilter.has_value());
    EXPECT_FALSE(record.lpstrInitialDir.has_value());
    EXPECT_FALSE(record.lpstrTitle.has_value());
    EXPECT_FALSE(record.lpstrDefExt.has_value());
    EXPECT_FALSE(record.lpTemplateName.has_value());
}

TEST_F(cFileDialogTest, FilterBecomesANulSeparatedListWhicheverSeparatorIsUsed)
{
    const std::string expected = "A\0*.a\0B\0*.b\0\0"s;
    for (const std::string filter : {"A|*.a|B|*.b", "A:*.a:B:*.b", "A|*.a:B|*.b"}) {
        dialog.Filter(filter);
        dialog.ShowOpen();
        EXPECT_EQ(dialog.Filter(), filter);
        EXPECT_EQ(shownRecord().lpstrFilter, expected) << filter;
    }

    dialog.Filter("文本文件(*.TXT)|*.txt");
    dialog.ShowOpen();
    EXPECT_EQ(shownRecord().lpstrFilter, "文本文件(*.TXT)\0*.txt\0\0"s);

    dialog.Filter("");
    dialog.ShowOpen();
    EXPECT_EQ(shownRecord().lpstrFilter, "\0\0"s);
}

TEST_F(cFileDialogTest, OwnerTitleFolderAndExtensionReachTheRecord)
{
    QWidget owner;
    dialog.hWnd(&owner);
    dialog.DialogTitle("选择文本");
    dialog.InitDir("/srv/书库");
    dialog.DefaultExt("txt");
    dialog.ShowSave();

    const OPENFILENAME& record = shownRecord();
    EXPECT_EQ(record.hwndOwner, &owner);
    EXPECT_EQ(record.lpstrTitle, "选择文本");
    EXPECT_EQ(record.lpstrInitialDir, "/srv/书库\0\0"s);
    EXPECT_EQ(record.lpstrDefExt, "txt\0\0"s);
    EXPECT_EQ(dialog.hWnd(), &owner);
    EXPECT_EQ(dialog.DialogTitle(), "选择文本");
    EXPECT_EQ(dialog.InitDir(), "/srv/书库");
    EXPECT_EQ(dialog.DefaultExt(), "txt");
}

TEST_F(cFileDialogTest, FilterIndexGoesToTheDialogAndComesBackAsTheUserLeftIt)
{
    dialog.Filter("A|*.a|B|*.b|C|*.c");
    dialog.FilterIndex(3);
    fake.choose("/data/x.b", 2);
    dialog.ShowOpen();
    EXPECT_EQ(shownRecord().nFilterIndex, 3u);
    EXPECT_EQ(dialog.FilterIndex(), 2);

    // The next call starts from the user's last choice.
    fake.cancel();
    dialog.ShowOpen();
    EXPECT_EQ(shownRecord().nFilterIndex, 2u);
    EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST_F(cFileDialogTest, MultipleSelectionWidensOnlyTheOpenBuffersAndKeepsTheFlagsProperty)
{
    const std::int32_t flags = static_cast<std::int32_t>(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    dialog.Flags(flags);

    dialog.ShowOpen();
    EXPECT_EQ(shownRecord().Flags, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_EXPLORER);
    EXPECT_EQ(shownRecord().nMaxFile, 8192u);
    EXPECT_EQ(shownRecord().lpstrFile->size(), 8192u);
    EXPECT_EQ(shownRecord().nMaxFileTitle, 8192u);
    EXPECT_EQ(shownRecord().lpstrFileTitle->size(), 8192u);
    EXPECT_EQ(dialog.Flags(), flags);

    dialog.ShowSave();
    EXPECT_EQ(shownRecord().Flags, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    EXPECT_EQ(shownRecord().nMaxFile, 1024u);
    EXPECT_EQ(shownRecord().lpstrFile->size(), 1024u);
    EXPECT_EQ(shownRecord().nMaxFileTitle, 1024u);

    dialog.Flags(static_cast<std::int32_t>(OFN_FILEMUSTEXIST));
    dialog.ShowOpen();
    EXPECT_EQ(shownRecord().Flags, OFN_FILEMUSTEXIST);
    EXPECT_EQ(shownRecord().nMaxFile, 1024u);
    EXPECT_EQ(fake.kinds,
              (std::vector<FileDialogKind>{FileDialogKind::Open, FileDialogKind::Save, FileDialogKind::Open}));
}

TEST_F(cFileDialogTest, FilenameAndFileTitleAreProposedWhenTheyFitTheirBuffers)
{
    dialog.Filename("/home/读者/旧.txt");
    dialog.FileTitle("旧.txt");
    dialog.ShowOpen();
    EXPECT_EQ(*shownRecord().lpstrFile, "/home/读者/旧.txt" + std::string(1024 - "/home/读者/旧.txt"s.size(), '\0'));
    EXPECT_EQ(*shownRecord().lpstrFileTitle, "旧.txt" + std::string(1024 - "旧.txt"s.size(), '\0'));

    // 1024 bytes leave no room for the closing NUL in a 1024-byte buffer.
    dialog.Filename(std::string(1024, 'n'));
    dialog.ShowSave();
    EXPECT_EQ(*shownRecord().lpstrFile, std::string(1024, '\0'));
    EXPECT_EQ(dialog.Filename(), std::string(1024, 'n'));
}

TEST_F(cFileDialogTest, AChoiceBecomesFilenameAndTheNextProposal)
{
    fake.choose("/data/第一卷.txt", 1);
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), "/data/第一卷.txt");

    fake.cancel();
    dialog.ShowSave();
    EXPECT_EQ(shownRecord().lpstrFile->substr(0, dialog.Filename().size() + 1), "/data/第一卷.txt\0"s);
}

TEST_F(cFileDialogTest, AMultipleSelectionOpenKeepsTheWholeBufferAndProposesItWhileSaveKeepsTheFirstPart)
{
    dialog.Flags(static_cast<std::int32_t>(OFN_ALLOWMULTISELECT));
    fake.choose("/data\0a.txt\0b.txt\0\0"s, 1);

    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename().size(), 8192u);
    EXPECT_EQ(dialog.Filename().substr(0, 20), "/data\0a.txt\0b.txt\0\0\0"s);

    dialog.ShowOpen();  // the next one is proposed that selection, as its buffer came back
    EXPECT_EQ(*shownRecord().lpstrFile, dialog.Filename());

    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), "/data");
}

TEST_F(cFileDialogTest, CancelRaisesOnlyWhenAskedAndNeverChangesFilename)
{
    fake.cancel();
    dialog.ShowOpen();
    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), "");

    dialog.Filename("/data/kept.txt");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), "/data/kept.txt");

    dialog.CancelError(true);
    EXPECT_TRUE(dialog.CancelError());
    const auto expectCancelError = [this](void (cFileDialog::*show)(), const std::string& source) {
        try {
            (dialog.*show)();
            ADD_FAILURE() << "no error raised for " << source;
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.number(), 32755);
            EXPECT_EQ(error.source(), source);
            EXPECT_EQ(error.description(), "User selected cancel.");
        }
        EXPECT_EQ(dialog.Filename(), "/data/kept.txt");
    };
    expectCancelError(&cFileDialog::ShowOpen, "Tessaline.cFileDialog");
    expectCancelError(&cFileDialog::ShowSave, "Tessaline.cFilenDialog");
}

}  // namespace
}  // namespace tess
