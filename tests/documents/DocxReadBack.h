#pragma once

// Reads a .docx package back for the tests: the zip entries in their order,
// and any part as a tree of elements.
#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct ZipEntry {
    std::string name;
    QByteArray bytes;
};

// The entries of a zip held in memory; empty when it is not a readable zip.
inline std::vector<ZipEntry> UnzipEntries(const QByteArray& zipBytes) {
    std::vector<ZipEntry> entries;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        zipBytes.constData(), static_cast<zip_uint64_t>(zipBytes.size()), 0, &error);
    zip_t* archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        return entries;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        ZipEntry entry{zip_get_name(archive, static_cast<zip_uint64_t>(i), 0), QByteArray()};
        entry.bytes.resize(static_cast<qsizetype>(st.size));
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (file) {
            zip_fread(file, entry.bytes.data(), st.size);
            zip_fclose(file);
        }
        entries.push_back(std::move(entry));
    }
    zip_close(archive);
    zip_error_fini(&error);
    return entries;
}

inline QByteArray EntryBytes(const std::vector<ZipEntry>& entries, const std::string& name) {
    for (const ZipEntry& e : entries)
        if (e.name == name)
            return e.bytes;
    return QByteArray();
}

// An element with its attributes (by qualified name), children and the
// character data directly inside it.
struct XmlNode {
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    std::vector<XmlNode> children;
    QString text;

    QString attr(const QString& qualified) const {
        for (const auto& [n, v] : attributes)
            if (n == qualified)
                return v;
        return QString();
    }
    const XmlNode* child(const QString& n) const {
        for (const XmlNode& c : children)
            if (c.name == n)
                return &c;
        return nullptr;
    }
    std::vector<const XmlNode*> all(const QString& n) const {
        std::vector<const XmlNode*> found;
        for (const XmlNode& c : children)
            if (c.name == n)
                found.push_back(&c);
        return found;
    }
    // Every element of that name at any depth, in document order.
    void collect(const QString& n, std::vector<const XmlNode*>& found) const {
        for (const XmlNode& c : children) {
            if (c.name == n)
                found.push_back(&c);
            c.collect(n, found);
        }
    }
    std::vector<const XmlNode*> descendants(const QString& n) const {
        std::vector<const XmlNode*> found;
        collect(n, found);
        return found;
    }
};

// Parses a whole part; `error` receives the reader's message when the part
// is not well-formed XML.
inline XmlNode ParseXml(const QByteArray& bytes, QString* error = nullptr) {
    XmlNode root;
    std::vector<XmlNode*> open{&root};
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            XmlNode node;
            node.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : reader.attributes())
                node.attributes.emplace_back(a.qualifiedName().toString(), a.value().toString());
            open.back()->children.push_back(std::move(node));
            open.push_back(&open.back()->children.back());
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            open.back()->text += reader.text();
            break;
        default:
            break;
        }
    }
    if (error)
        *error = reader.hasError() ? reader.errorString() : QString();
    return root;
}
