#include "core/Texts.h"

#include <array>
#include <cerrno>

namespace {

struct SystemError {
    int error;
    const char *chinese;
};

// The failures a user meets when saving or opening a file or a port.
constexpr std::array<SystemError, 9> SystemErrors{{
    {ENOENT, "没有那个文件或目录"},
    {EACCES, "权限不够"},
    {EPERM, "不允许的操作"},
    {EISDIR, "是一个目录"},
    {ENOTDIR, "路径中有一项不是目录"},
    {ENOSPC, "设备上没有空间"},
    {EDQUOT, "超出磁盘配额"},
    {EROFS, "只读文件系统"},
    {EBUSY, "设备或资源忙"},
}};

} // namespace

QString systemErrorText(int error, Language language)
{
    for (const SystemError &known : SystemErrors)
        if (known.error == error)
            return langText(language, QString::fromUtf8(known.chinese), qt_error_string(error));
    return qt_error_string(error);
}

QString systemErrorText(const QString &systemText, Language language)
{
    // Qt's texts are its own for some errors and the C library's for the
    // rest; both come from qt_error_string.
    for (const SystemError &known : SystemErrors)
        if (systemText == qt_error_string(known.error))
            return systemErrorText(known.error, language);
    return systemText;
}

QString companyName(Language language)
{
    return langText(language, "北港无线电有限公司", "North Harbor Radio Co.");
}
