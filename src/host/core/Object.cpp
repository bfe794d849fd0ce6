// SPDX-License-Identifier: MIT
#include "host/core/Object.h"
#include "host/core/SysUtils.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace jxt {

QString ClassNameOf(const std::type_info &type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : type.name());
    const int colon = name.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

QString TObject::ClassName() const
{
    return ClassNameOf(typeid(*this));
}

void TPersistent::Assign(const TPersistent *source)
{
    if (!source)
        throw EConvertError(QStringLiteral("Cannot assign a nil to a %1").arg(ClassName()));
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent *dest) const
{
    throw EConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(ClassName(), dest->ClassName()));
}

} // namespace jxt
