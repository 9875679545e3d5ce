#include "ui/FailureText.h"

#include <cerrno>

namespace tess {

namespace {

std::string WhatFailed(RunFailure what)
{
    switch (what) {
    case RunFailure::OpenSource: return "无法打开源文件";
    case RunFailure::ReadSource: return "读取源文件出错";
    case RunFailure::SourceCutShort: return "读取源文件出错";
    case RunFailure::Utf32Source: return "无法分割 UTF-32 编码的文件";
    case RunFailure::OpenPiece: return "无法创建输出文件";
    case RunFailure::WritePiece: return "写入输出文件出错";
    case RunFailure::ClosePiece: return "关闭输出文件出错";
    case RunFailure::NoFileNumber: return "没有空闲的文件号，无法打开文件";
    case RunFailure::FolderBusy: return "另一个分割正在写入这个文件夹";
    case RunFailure::PieceIsSource: return "无法写入输出文件";
    }
    return "文件操作出错";
}

std::string Reason(const RunError& error)
{
    if (error.what == RunFailure::SourceCutShort)
        return "分割途中源文件被其他程序截短了";
    if (error.what == RunFailure::PieceIsSource)
        return "它就是源文件（链接到源文件），写入会改动源文件";
    return ReasonText(error.error);
}

// What failed, on its own line the path, then why: the one shape of every failure's box.
std::string WhatWhereWhy(const std::string& what, const std::string& path, const std::string& why)
{
    return what + "：\n" + path + "\n原因：" + why;
}

}  // namespace

std::string ReasonText(std::error_code error)
{
    switch (error.value()) {
    case ENOENT: return "文件或目录不存在";
    case EACCES:
    case EPERM: return "没有访问权限";
    case EISDIR: return "这是一个目录";
    case ENOTDIR: return "路径中有一部分不是目录";
    case ENOSPC: return "磁盘空间不足";
    case EDQUOT: return "超出磁盘配额";
    case EROFS: return "文件系统是只读的";
    case EFBIG: return "文件太大";
    case EIO: return "输入/输出错误";
    case EILSEQ: return "编码不受支持";
    case EWOULDBLOCK: return "请等它结束后再开始";
    case EMFILE:
    case ENFILE: return "打开的文件太多";
    case ENAMETOOLONG: return "文件名太长";
    case EEXIST: return "已有同名的文件";
    case ENXIO: return "这是一个没有程序在读取的管道";
    case EPIPE: return "读取这个管道的程序已经退出";
    default: return error.message();
    }
}

std::string FailureText(const RunError& error, std::uint64_t linesWritten)
{
    std::string text = WhatWhereWhy(WhatFailed(error.what), error.path, Reason(error));
    if (!FailsAfterWriting(error.what))
        return text;
    if (linesWritten == 0)
        return text + "\n没有一行写入输出文件。";
    return text + "\n已有 " + std::to_string(linesWritten) + " 行写入输出文件；再次进行同样的分割会接着追加到这些文件。";
}

std::string FolderFailureText(const std::string& folder, std::error_code error)
{
    return WhatWhereWhy("无法创建文件夹", folder, ReasonText(error));
}

}  // namespace tess
