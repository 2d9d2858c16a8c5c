#pragma once

#include <pugixml.hpp>

#include <cstring>
#include <string>

// Elements and attributes of workbook parts by their local names: writers
// differ in whether they write "x:row" or "row", "r:id" or "id".
namespace xml_names {

inline const char* LocalName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

inline bool Is(const pugi::xml_node& node, const char* name)
{
    return std::strcmp(LocalName(node.name()), name) == 0;
}

inline pugi::xml_node Child(const pugi::xml_node& parent, const char* name)
{
    for (pugi::xml_node child : parent.children())
        if (Is(child, name))
            return child;
    return {};
}

inline pugi::xml_attribute Attribute(const pugi::xml_node& node, const char* name)
{
    for (pugi::xml_attribute attribute : node.attributes())
        if (std::strcmp(LocalName(attribute.name()), name) == 0)
            return attribute;
    return {};
}

// The text of a string item appended: its <t>, or the <t> of each of its
// runs.
inline void AppendItemText(const pugi::xml_node& item, std::string& text)
{
    for (pugi::xml_node child : item.children()) {
        if (Is(child, "t"))
            text += child.text().get();
        else if (Is(child, "r"))
            text += Child(child, "t").text().get();
    }
}

} // namespace xml_names
