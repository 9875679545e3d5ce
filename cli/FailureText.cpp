#include "cli/FailureText.h"

namespace tess::cli {

namespace {

const char* WhatFailed(RunFailure what)
{
    switch (what) {
    case RunFailure::OpenSource: return "cannot open source";
    case RunFailure::ReadSource: return "cannot read source";
    case RunFailure::OpenPiece: return "cannot open piece";
    case RunFailure::WritePiece: return "cannot write piece";
    case RunFailure::ClosePiece: return "cannot close piece";
    case RunFailure::NoFileNumber: return "no free file number for";
    }
    return "cannot work on";
}

}  // namespace

std::string DescribeFailure(const RunError& error)
{
    return std::string(WhatFailed(error.what)) + " '" + error.path + "': " + error.error.message();
}

std::string DescribeFolderFailure(const std::string& folder, std::error_code error)
{
    return "cannot create folder '" + folder + "': " + error.message();
}

}  // namespace tess::cli
