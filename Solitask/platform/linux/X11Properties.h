#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class X11Connection;

/// Typed reads of window properties. A window that is gone, a property of the
/// wrong type or format, or text that is not valid UTF-8 reads as absent.
class X11Properties
{
public:
    explicit X11Properties(X11Connection &connection);

    QList<unsigned long> windows(unsigned long window, const char *property);
    std::optional<unsigned long> window(unsigned long window, const char *property);
    QList<long> cardinals(unsigned long window, const char *property);
    std::optional<long> cardinal(unsigned long window, const char *property);
    QList<unsigned long> atoms(unsigned long window, const char *property);
    /// A UTF8_STRING property.
    QString utf8(unsigned long window, const char *property);
    /// The window's title: _NET_WM_NAME, else WM_NAME in any text encoding.
    QString title(unsigned long window);
    /// Whether the window has `property` at all, of any type.
    bool has(unsigned long window, const char *property);
    /// WM_CLASS as (instance, class); empty parts when absent.
    QPair<QString, QString> wmClass(unsigned long window);

    /// Decodes strict UTF-8, none when the bytes are not valid.
    static std::optional<QString> strictUtf8(const QByteArray &bytes);

    /// Sends a read of `property` of `window` at once, to be answered with
    /// every other one asked for on `collect()`: a round trip for them all.
    void ask(unsigned long window, const char *property);
    /// Waits for the answers; until `forget()`, reads of those properties
    /// answer from them. A read the server refused is made again when needed.
    void collect();
    void forget();

private:
    struct Asked
    {
        quint64 key;
        unsigned int cookie;
    };
    struct Answer
    {
        unsigned long type = 0;
        int format = 0;
        QByteArray bytes; // as Xlib hands them back
        unsigned long count = 0;
    };

    static quint64 keyOf(unsigned long window, unsigned long atom)
    {
        return (quint64(window) << 32) | quint64(atom);
    }
    std::optional<QByteArray> answered(
        quint64 key, unsigned long type, int format, unsigned long *count) const;

    std::optional<QByteArray> raw(unsigned long window, const char *property,
        unsigned long type, int format, unsigned long *count = nullptr);
    template<typename T>
    QList<T> list32(unsigned long window, const char *property, unsigned long type);
    QString legacyText(unsigned long window);

    X11Connection &m_connection;
    QList<Asked> m_asked;
    QHash<quint64, Answer> m_answers;
};
