#include "steuerelement.h"

namespace griffwandler {

QString nameText(Name name)
{
    const std::u16string_view text = NameInfos.at(static_cast<std::size_t>(name)).text;
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QString toString(Steuerelement control)
{
    if (!isArray(control.name))
        return nameText(control.name);
    return QStringLiteral("%1(%2)").arg(nameText(control.name)).arg(control.index);
}

} // namespace griffwandler
