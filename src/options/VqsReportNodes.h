// The options report as a tree of nodes, built from the repository before printing: one
// link node per element soft link (a section), under it one group node per option group of
// the link's option record (a sub-section), and under each group its rows. The tree knows
// nothing of pages: the report printer asks a node for its column headings, its rows of
// cells and the text to print when it has none.
#pragma once

#include "proxy/PxNTReportOptions.h"
#include "proxy/PxOptionGroup.h"
#include "proxy/PxQSRReportOptions.h"
#include "proxy/PxTarskReportOptions.h"
#include "proxy/PxUnixReportOptions.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSoftLink.h"
#include "win/CString.h"

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

using VqsReportCells = std::vector<CString>;

class Node {
public:
    Node() = default;
    Node(CString text, char key) : m_text(std::move(text)), m_key(key) {}
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Fills the column headings and answers the node's column positions (one per heading,
    // set by the printer's measuring); null for a node without a table.
    virtual int* GetColumns(VqsReportCells& headings);
    // The cells of the row at `cursor`, which moves on; -1 after the last row.
    virtual void GetNextRow(int& cursor, VqsReportCells& cells);
    // Printed for the node when it has no rows.
    virtual CString GetEmptyText();

    // The children and their count; null when there are none. A slot may be null.
    const std::unique_ptr<Node>* GetChildren(unsigned& count) const;
    unsigned GetChildCount() const { return static_cast<unsigned>(m_children.size()); }

    CString m_text;
    // ' ' unbuilt, '0' a built content node, '1' to '6' a built link node by element kind.
    char m_key = ' ';

protected:
    std::vector<std::unique_ptr<Node>> m_children;
};

// One option: its name and its value are two cells.
class ItemNode : public Node {
public:
    explicit ItemNode(PxOptionItemPtr item) : m_item(std::move(item)) {}
    virtual BOOL Build();

    const CString& GetName() const { return m_name; }
    const CString& GetValue() const { return m_value; }

private:
    PxOptionItemPtr m_item;
    // Kept apart, so that a name or a value holding "@" prints whole.
    CString m_name;
    CString m_value;
};

// One option group: a table of OPTION and VALUE.
class GroupNode : public Node {
public:
    GroupNode(const PxOptionGroup& group, CString name);
    virtual BOOL Build();
    int* GetColumns(VqsReportCells& headings) override;
    void GetNextRow(int& cursor, VqsReportCells& cells) override;

protected:
    const PxOptionGroup& m_group;

private:
    int m_positions[2] = {};
};

// The extract files of a report record that are in use, one row each, with the columns of
// the record's platform.
class GroupNodeExtractFile : public GroupNode {
public:
    GroupNodeExtractFile(const PxOptionGroup& group, PxReportOptionsPtr options);
    BOOL Build() override;
    void GetNextRow(int& cursor, VqsReportCells& cells) override;
    CString GetEmptyText() override;

protected:
    // Appends the cells after NAME of extract file `index` at `cursor`, which moves on.
    virtual BOOL BuildRow(int index, std::size_t& cursor) = 0;
    virtual int GetColumnCount() = 0;
    // Fills the headings of the platform's columns, names first.
    static int* Columns(VqsReportCells& headings, std::initializer_list<UINT> ids, int* positions);
    void AddCell(std::size_t& cursor, CString text);
    CString KindCell(int index);

    PxReportOptionsPtr m_options;
};

class GroupNodeExtractFileNT : public GroupNodeExtractFile {
public:
    GroupNodeExtractFileNT(const PxOptionGroup& group, PxNTReportOptionsPtr options);
    int* GetColumns(VqsReportCells& headings) override;

protected:
    BOOL BuildRow(int index, std::size_t& cursor) override;
    int GetColumnCount() override { return 2; }

private:
    PxNTReportOptionsPtr m_platform;
    int m_positions[2] = {};
};

class GroupNodeExtractFileUnix : public GroupNodeExtractFile {
public:
    GroupNodeExtractFileUnix(const PxOptionGroup& group, PxUnixReportOptionsPtr options);
    int* GetColumns(VqsReportCells& headings) override;

protected:
    BOOL BuildRow(int index, std::size_t& cursor) override;
    int GetColumnCount() override { return 3; }

private:
    PxUnixReportOptionsPtr m_platform;
    int m_positions[3] = {};
};

class GroupNodeExtractFileTarsk : public GroupNodeExtractFile {
public:
    GroupNodeExtractFileTarsk(const PxOptionGroup& group, PxTarskReportOptionsPtr options);
    int* GetColumns(VqsReportCells& headings) override;

protected:
    BOOL BuildRow(int index, std::size_t& cursor) override;
    int GetColumnCount() override { return 8; }

private:
    PxTarskReportOptionsPtr m_platform;
    int m_positions[8] = {};
};

class GroupNodeExtractFileQSR : public GroupNodeExtractFile {
public:
    GroupNodeExtractFileQSR(const PxOptionGroup& group, PxQSRReportOptionsPtr options);
    int* GetColumns(VqsReportCells& headings) override;

protected:
    BOOL BuildRow(int index, std::size_t& cursor) override;
    int GetColumnCount() override { return 5; }

private:
    PxQSRReportOptionsPtr m_platform;
    int m_positions[5] = {};
};

// One element soft link with its options in one option set: a section of the report.
class LinkNode : public Node {
public:
    LinkNode(PxVQSoftLinkPtr softLink, PxVQOptionSetPtr optionSet);
    CString GetEmptyText() override;
    // Builds the node and its whole subtree; FALSE when the link has no record in the set or
    // a group could not be built.
    BOOL BuildOptionSetReportTree();

private:
    PxVQSoftLinkPtr m_softLink;
    PxVQOptionSetPtr m_optionSet;
    // The group nodes refer into this list; it is filled once.
    std::vector<PxOptionGroup> m_groups;
};

// A new, unbuilt node for one option group of `options`: the extract-file table of the
// record's platform for the "Extract File Options" group of a report record, else a plain
// group.
std::unique_ptr<GroupNode> MakeGroupNode(const PxOptionGroup& group, const PxOptionsPtr& options);

// The order of report nodes: by text, case-insensitive; by type first by the node's key.
int CompareReportNodes(const Node& a, const Node& b, int byType);

// Sorts report nodes in place (raw or owning pointers): a shell sort with gaps count / 2,
// halved down to 1; a null entry stops the moving of the entry being placed.
template <class NodePointer>
void SortReportNodes(NodePointer* nodes, unsigned count, int byType)
{
    if (count < 2)
        return;
    for (unsigned gap = count / 2; gap > 0; gap /= 2) {
        for (unsigned i = gap; i < count; ++i) {
            for (unsigned j = i; j >= gap; j -= gap) {
                NodePointer& lower = nodes[j - gap];
                NodePointer& upper = nodes[j];
                if (!lower || !upper || CompareReportNodes(*lower, *upper, byType) <= 0)
                    break;
                std::swap(lower, upper);
            }
        }
    }
}
