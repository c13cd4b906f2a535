#include "steuerelement.h"

#include <array>

namespace griffwandler {

namespace {

struct NameInfo {
    const char16_t *text;
    int count; // 0 marks a single control
};

constexpr std::array<NameInfo, NameCount> names{{
    {u"TeddyLine", 12}, {u"Noten2", 12},       {u"Noten1", 12},  {u"KapoStreifen", 5},
    {u"BundTaste", 5},  {u"Command3", 0},      {u"Command1", 0}, {u"Label3", 2},
    {u"Teddy", 12},     {u"derneueAkkord", 0}, {u"Rote", 12},    {u"Label2", 0},
    {u"Image4", 0},     {u"Image3", 0},        {u"Image2", 0},   {u"Image1", 0},
    {u"Label1", 0},     {u"Shape1", 2},        {u"Shape2", 0},   {u"Shape3", 0},
}};

const NameInfo &info(Name name)
{
    return names.at(static_cast<std::size_t>(name));
}

} // namespace

QString nameText(Name name)
{
    return QString::fromUtf16(info(name).text);
}

int elementCount(Name name)
{
    const int count = info(name).count;
    return count == 0 ? 1 : count;
}

bool isArray(Name name)
{
    return info(name).count != 0;
}

QString toString(Steuerelement control)
{
    if (!isArray(control.name))
        return nameText(control.name);
    return QStringLiteral("%1(%2)").arg(nameText(control.name)).arg(control.index);
}

} // namespace griffwandler
