// The collection classes of the desktop class library. Iteration is deterministic:
// lists and arrays keep their order, maps iterate in insertion order.
#pragma once

#include "win/CString.h"
#include "win/Object.h"

#include <cstdint>
#include <functional>
#include <list>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

// ---------------------------------------------------------------- CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node {
        Node* next;
        Node* prev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return Checked(m_head)->data; }
    const TYPE& GetHead() const { return Checked(m_head)->data; }
    TYPE& GetTail() { return Checked(m_tail)->data; }
    const TYPE& GetTail() const { return Checked(m_tail)->data; }

    TYPE RemoveHead()
    {
        Node* node = Checked(m_head);
        TYPE value = std::move(node->data);
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        Node* node = Checked(m_tail);
        TYPE value = std::move(node->data);
        Unlink(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE value) { return InsertBefore(ToPos(m_head), value); }
    POSITION AddTail(ARG_TYPE value) { return InsertAfter(ToPos(m_tail), value); }
    void AddTail(const CList& other)
    {
        for (Node* n = other.m_head; n; n = n->next)
            AddTail(n->data);
    }
    void AddHead(const CList& other)
    {
        for (Node* n = other.m_tail; n; n = n->prev)
            AddHead(n->data);
    }
    void RemoveAll()
    {
        while (m_head)
            Unlink(m_head);
    }

    POSITION GetHeadPosition() const { return ToPos(m_head); }
    POSITION GetTailPosition() const { return ToPos(m_tail); }
    TYPE& GetNext(POSITION& pos)
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->next);
        return node->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->next);
        return node->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->prev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->prev);
        return node->data;
    }
    TYPE& GetAt(POSITION pos) { return Checked(FromPos(pos))->data; }
    const TYPE& GetAt(POSITION pos) const { return Checked(FromPos(pos))->data; }
    void SetAt(POSITION pos, ARG_TYPE value) { Checked(FromPos(pos))->data = value; }
    void RemoveAt(POSITION pos) { Unlink(Checked(FromPos(pos))); }

    POSITION InsertBefore(POSITION pos, ARG_TYPE value)
    {
        Node* before = FromPos(pos);
        Node* node = new Node{before, before ? before->prev : nullptr, value};
        if (!before) {
            node->prev = m_tail;
            node->next = nullptr;
        }
        Link(node);
        return ToPos(node);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE value)
    {
        Node* after = FromPos(pos);
        if (!after)
            return InsertBefore(ToPos(m_head), value);
        return InsertBefore(ToPos(after->next), value);
    }

    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        Node* node = startAfter ? FromPos(startAfter)->next : m_head;
        for (; node; node = node->next)
            if (node->data == value)
                return ToPos(node);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* node = m_head;
        while (index-- > 0)
            node = node->next;
        return ToPos(node);
    }

private:
    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPos(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static Node* Checked(Node* node)
    {
        if (!node)
            throw std::out_of_range("CList: no element at this position");
        return node;
    }

    void Link(Node* node)
    {
        // node->prev and node->next name its neighbours; either may be null.
        if (node->prev)
            node->prev->next = node;
        else
            m_head = node;
        if (node->next)
            node->next->prev = node;
        else
            m_tail = node;
        ++m_count;
    }
    void Unlink(Node* node)
    {
        if (node->prev)
            node->prev->next = node->next;
        else
            m_head = node->next;
        if (node->next)
            node->next->prev = node->prev;
        else
            m_tail = node->prev;
        --m_count;
        delete node;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};

// ---------------------------------------------------------------- CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray& other) : CObject(), m_items(other.m_items) {}
    CArray& operator=(const CArray& other)
    {
        m_items = other.m_items;
        return *this;
    }

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_items.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    void SetSize(INT_PTR size, INT_PTR growBy = -1)
    {
        (void)growBy;
        m_items.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    }
    void RemoveAll() { m_items.clear(); }

    TYPE& GetAt(INT_PTR index) { return m_items.at(Index(index)); }
    const TYPE& GetAt(INT_PTR index) const { return m_items.at(Index(index)); }
    TYPE& ElementAt(INT_PTR index) { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return GetAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    void SetAt(INT_PTR index, ARG_TYPE value) { GetAt(index) = value; }
    void SetAtGrow(INT_PTR index, ARG_TYPE value)
    {
        if (index >= GetSize())
            SetSize(index + 1);
        GetAt(index) = value;
    }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    INT_PTR Add(ARG_TYPE value)
    {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& other)
    {
        INT_PTR first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CArray& other) { m_items = other.m_items; }
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1)
    {
        if (index > GetSize())
            SetSize(index);
        m_items.insert(m_items.begin() + index, static_cast<std::size_t>(count), value);
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        Index(index);
        auto first = m_items.begin() + index;
        auto last = first + std::min<INT_PTR>(count, GetSize() - index);
        m_items.erase(first, last);
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::size_t Index(INT_PTR index) const
    {
        if (index < 0 || index >= GetSize())
            throw std::out_of_range("CArray: index out of range");
        return static_cast<std::size_t>(index);
    }

    std::vector<TYPE> m_items;
};

using CStringArray = CArray<CString, const CString&>;
using CUIntArray = CArray<UINT, UINT>;
using CDWordArray = CArray<DWORD, DWORD>;
using CWordArray = CArray<WORD, WORD>;
using CByteArray = CArray<BYTE, BYTE>;
using CPtrArray = CArray<void*, void*>;

class CStringList : public CList<CString, const CString&> {
public:
    using CList::CList;
};
using CPtrList = CList<void*, void*>;
using CObList = CList<CObject*, CObject*>;

// ---------------------------------------------------------------- typed pointer lists and arrays

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public CList<TYPE, TYPE> {
public:
    using CList<TYPE, TYPE>::CList;
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public CArray<TYPE, TYPE> {
public:
    using CArray<TYPE, TYPE>::CArray;
};

// ---------------------------------------------------------------- CMap

template <class KEY>
struct CMapHash {
    std::size_t operator()(const KEY& key) const
    {
        if constexpr (std::is_pointer_v<KEY>)
            return std::hash<const void*>{}(key);
        else
            return std::hash<KEY>{}(key);
    }
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    using Entry = std::pair<KEY, VALUE>;
    using Entries = std::list<Entry>;

public:
    explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_entries.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return m_entries.empty(); }
    void InitHashTable(UINT size, BOOL allocNow = TRUE) { (void)size, (void)allocNow; }
    UINT GetHashTableSize() const { return 17; }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return FALSE;
        value = it->second->second;
        return TRUE;
    }
    const Entry* PLookup(ARG_KEY key) const
    {
        auto it = m_index.find(key);
        return it == m_index.end() ? nullptr : &*it->second;
    }
    VALUE& operator[](ARG_KEY key)
    {
        auto it = m_index.find(key);
        if (it != m_index.end())
            return it->second->second;
        m_entries.emplace_back(key, VALUE());
        auto last = std::prev(m_entries.end());
        m_index.emplace(key, last);
        return last->second;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return FALSE;
        m_entries.erase(it->second);
        m_index.erase(it);
        return TRUE;
    }
    void RemoveAll()
    {
        m_index.clear();
        m_entries.clear();
    }

    // Iteration in insertion order; a position stays valid while its entry exists.
    POSITION GetStartPosition() const { return Position(m_entries.begin()); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        auto it = Iterator(pos);
        key = it->first;
        value = it->second;
        ++it;
        pos = Position(it);
    }

private:
    using ConstIt = typename Entries::const_iterator;

    POSITION Position(ConstIt it) const
    {
        if (it == m_entries.end())
            return nullptr;
        return reinterpret_cast<POSITION>(const_cast<Entry*>(&*it));
    }
    ConstIt Iterator(POSITION pos) const
    {
        const Entry* entry = reinterpret_cast<const Entry*>(pos);
        if (!entry)
            throw std::out_of_range("CMap: no entry at this position");
        auto it = m_index.find(entry->first);
        return it->second;
    }

    Entries m_entries;
    std::unordered_map<KEY, typename Entries::iterator, CMapHash<KEY>> m_index;
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public CMap<KEY, KEY, VALUE, VALUE> {};

using CMapStringToPtr = CMap<CString, const char*, void*, void*>;
using CMapStringToString = CMap<CString, const char*, CString, const char*>;
using CMapStringToOb = CMap<CString, const char*, CObject*, CObject*>;
using CMapPtrToPtr = CMap<void*, void*, void*, void*>;
using CMapWordToPtr = CMap<WORD, WORD, void*, void*>;
