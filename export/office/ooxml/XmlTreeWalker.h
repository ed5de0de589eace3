#pragma once

#include <vector>

class XmlNode;

// Visits the nodes of a tree in document order, from a given node on: its
// descendants first, then what follows it.
class XmlTreeWalker
{
public:
    explicit XmlTreeWalker(XmlNode *start);

    // The next node in document order, or null after the last one.
    XmlNode *next();

private:
    struct Level
    {
        XmlNode *parent;
        int index;
    };

    XmlNode *m_current;
    std::vector<Level> m_path;
};
