#pragma once

#include <QLibrary>
#include <QString>

#include <optional>

// A library the program needs for one kind of work only (a server book, an import, a spreadsheet), loaded
// when that work first asks for it rather than at every start. It stays loaded.
class LateLibrary {
public:
    // By the name the linker knows it by ("pq" for libpq) and its major version.
    LateLibrary(const QString& name, int version)
        : m_library(name, version)
        , m_whole(m_library.load())
    {
    }
    // Points function at the library's function of that name; the library is whole while each is found.
    template <typename Function> void take(Function*& function, const char* name)
    {
        function = m_whole ? reinterpret_cast<Function*>(m_library.resolve(name)) : nullptr;
        m_whole = m_whole && function;
    }
    bool isWhole() const { return m_whole; }

    // A table of the library's functions, filled by fill(library, table); none unless every one was found.
    template <typename Table, typename Fill>
    static std::optional<Table> load(const QString& name, int version, Fill fill)
    {
        Table table;
        LateLibrary library(name, version);
        fill(library, table);
        return library.isWhole() ? std::optional<Table>(table) : std::nullopt;
    }

private:
    QLibrary m_library;
    bool m_whole;
};
