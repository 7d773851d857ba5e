// The one growable array of plain records: order kept, new elements zero bytes,
// SetSize(0) releases the storage, SetAtGrow appends. Growth: step = size / 8,
// clamped to 4..1024 (or the grow-by value when it is not 0).
#pragma once

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

template <typename T> class CGrowableArray {
    static_assert(std::is_trivially_copyable_v<T>, "elements are copied byte for byte");

public:
    CGrowableArray() = default;
    CGrowableArray(const CGrowableArray&) = delete;
    CGrowableArray& operator=(const CGrowableArray&) = delete;
    ~CGrowableArray() { std::free(m_pData); }

    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nCapacity; }
    bool IsEmpty() const { return m_nSize == 0; }
    T* GetData() { return m_pData; }
    const T* GetData() const { return m_pData; }
    T& operator[](int i) { return m_pData[i]; }
    const T& operator[](int i) const { return m_pData[i]; }
    T* begin() { return m_pData; }
    T* end() { return m_pData + m_nSize; }
    const T* begin() const { return m_pData; }
    const T* end() const { return m_pData + m_nSize; }

    void SetSize(int newSize, int growBy = -1) {
        if (growBy != -1) m_nGrowBy = growBy;
        if (newSize <= 0) {
            std::free(m_pData);
            m_pData = nullptr;
            m_nSize = m_nCapacity = 0;
        } else if (m_pData == nullptr) {
            m_pData = Allocate(newSize);
            std::memset(static_cast<void*>(m_pData), 0, Bytes(newSize));
            m_nSize = m_nCapacity = newSize;
        } else if (newSize <= m_nCapacity) {
            if (newSize > m_nSize) ZeroRange(m_nSize, newSize);
            m_nSize = newSize;
        } else {
            Grow(newSize);
        }
    }

    void SetAtGrow(int index, const T& element) {
        if (index >= m_nSize) SetSize(index + 1);
        m_pData[index] = element;
    }
    void Add(const T& element) { SetAtGrow(m_nSize, element); }
    void RemoveAll() { SetSize(0); }

private:
    static size_t Bytes(int count) { return static_cast<size_t>(count) * sizeof(T); }
    static T* Allocate(int count) {
        void* p = std::malloc(Bytes(count));
        if (p == nullptr) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void ZeroRange(int from, int to) {
        std::memset(static_cast<void*>(m_pData + from), 0, Bytes(to - from));
    }
    void Grow(int newSize) {
        int step = m_nGrowBy;
        if (step == 0) {
            step = m_nSize / 8;
            if (step < 4) step = 4;
            if (step > 1024) step = 1024;
        }
        int capacity = m_nCapacity + step;
        if (capacity < newSize) capacity = newSize;
        T* data = Allocate(capacity);
        std::memcpy(static_cast<void*>(data), m_pData, Bytes(m_nSize));
        std::memset(static_cast<void*>(data + m_nSize), 0, Bytes(newSize - m_nSize));
        std::free(m_pData);
        m_pData = data;
        m_nSize = newSize;
        m_nCapacity = capacity;
    }

    T* m_pData = nullptr;
    int m_nSize = 0;
    int m_nCapacity = 0;
    int m_nGrowBy = 0;
};
