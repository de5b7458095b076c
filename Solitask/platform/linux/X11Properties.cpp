#include "Solitask/platform/linux/X11Properties.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/XcbReply.h"

#include <QStringDecoder>

#include <cstring>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Long enough for any title or window list; longer values are cut, not read whole.
constexpr long maxLongs = 1 << 16;

QString compoundText(Display *display, XTextProperty &property)
{
    char **list = nullptr;
    int count = 0;
    QString text;
    if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success
        && count > 0 && list)
        text = X11Properties::strictUtf8(QByteArray(list[0])).value_or(QString());
    if (list)
        XFreeStringList(list);
    return text;
}

} // namespace

X11Properties::X11Properties(X11Connection &connection)
    : m_connection(connection)
{
}

std::optional<QByteArray> X11Properties::raw(unsigned long window, const char *property,
    unsigned long type, int format, unsigned long *count)
{
    if (!m_connection.isAlive() || window == None)
        return std::nullopt;
    const auto atom = m_connection.atom(property);
    if (const quint64 key = keyOf(window, atom); m_answers.contains(key))
        return answered(key, type, format, count);
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(m_connection.display(), window, atom, 0, maxLongs, False,
        type, &actualType, &actualFormat, &items, &after, &data);
    std::optional<QByteArray> result;
    if (status == Success && actualType == type && actualFormat == format && data) {
        // Xlib hands 32-bit items back as longs.
        const int itemSize = format == 32 ? int(sizeof(long)) : format / 8;
        result = QByteArray(reinterpret_cast<const char *>(data), int(items) * itemSize);
        if (count)
            *count = items;
    }
    if (data)
        XFree(data);
    m_connection.scheduleDispatch();
    return result;
}

// The checks XGetWindowProperty's answer gets above, on an answer to `ask`.
std::optional<QByteArray> X11Properties::answered(
    quint64 key, unsigned long type, int format, unsigned long *count) const
{
    const Answer &answer = m_answers[key];
    if (answer.type != type || answer.format != format)
        return std::nullopt;
    if (count)
        *count = answer.count;
    return answer.bytes;
}

void X11Properties::ask(unsigned long window, const char *property)
{
    if (!m_connection.isAlive() || window == None)
        return;
    const auto atom = m_connection.atom(property);
    const auto cookie = xcb_get_property(m_connection.xcb(), 0, xcb_window_t(window),
        xcb_atom_t(atom), XCB_GET_PROPERTY_TYPE_ANY, 0, maxLongs);
    m_asked.append({keyOf(window, atom), cookie.sequence});
}

void X11Properties::collect()
{
    xcb_connection_t *c = m_connection.xcb();
    for (const Asked &asked : std::as_const(m_asked)) {
        const auto reply
            = xcbReply(xcb_get_property_reply, c, xcb_get_property_cookie_t {asked.cookie});
        if (!reply)
            continue;
        Answer answer {reply->type, reply->format, {}, reply->value_len};
        const auto *value = static_cast<const char *>(xcb_get_property_value(reply.get()));
        if (reply->format == 32) {
            // Xlib widens each item to a long, extending its sign.
            for (uint32_t i = 0; i < reply->value_len; ++i) {
                qint32 item = 0;
                std::memcpy(&item, value + 4 * i, 4);
                const long widened = item;
                answer.bytes.append(reinterpret_cast<const char *>(&widened), sizeof widened);
            }
        } else {
            answer.bytes = QByteArray(value, xcb_get_property_value_length(reply.get()));
        }
        m_answers.insert(asked.key, answer);
    }
    m_asked.clear();
}

void X11Properties::forget()
{
    for (const Asked &asked : std::as_const(m_asked))
        xcb_discard_reply(m_connection.xcb(), asked.cookie);
    m_asked.clear();
    m_answers.clear();
}

// Format-32 properties arrive as an array of C longs, whatever their type.
template<typename T>
QList<T> X11Properties::list32(unsigned long window, const char *property, unsigned long type)
{
    static_assert(sizeof(T) == sizeof(long));
    unsigned long count = 0;
    const auto bytes = raw(window, property, type, 32, &count);
    QList<T> result;
    if (!bytes)
        return result;
    result.resize(qsizetype(count));
    std::memcpy(result.data(), bytes->constData(), count * sizeof(T));
    return result;
}

QList<unsigned long> X11Properties::windows(unsigned long window, const char *property)
{
    return list32<unsigned long>(window, property, XA_WINDOW);
}

std::optional<unsigned long> X11Properties::window(unsigned long window, const char *property)
{
    const QList<unsigned long> list = windows(window, property);
    if (list.isEmpty())
        return std::nullopt;
    return list.first();
}

QList<long> X11Properties::cardinals(unsigned long window, const char *property)
{
    return list32<long>(window, property, XA_CARDINAL);
}

std::optional<long> X11Properties::cardinal(unsigned long window, const char *property)
{
    const QList<long> list = cardinals(window, property);
    if (list.isEmpty())
        return std::nullopt;
    return list.first();
}

QList<unsigned long> X11Properties::atoms(unsigned long window, const char *property)
{
    return list32<unsigned long>(window, property, XA_ATOM);
}

std::optional<QString> X11Properties::strictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString X11Properties::utf8(unsigned long window, const char *property)
{
    const auto bytes = raw(window, property, m_connection.atom("UTF8_STRING"), 8);
    if (!bytes)
        return {};
    return strictUtf8(*bytes).value_or(QString());
}

QString X11Properties::title(unsigned long window)
{
    const QString name = utf8(window, "_NET_WM_NAME");
    return name.isEmpty() ? legacyText(window) : name;
}

QString X11Properties::legacyText(unsigned long window)
{
    if (!m_connection.isAlive() || window == None)
        return {};
    XTextProperty property {};
    if (!XGetWMName(m_connection.display(), window, &property) || !property.value)
        return {};
    const QByteArray bytes(reinterpret_cast<const char *>(property.value), int(property.nitems));
    QString text;
    if (property.encoding == XA_STRING)
        text = QString::fromLatin1(bytes);
    else if (property.encoding == m_connection.atom("UTF8_STRING"))
        text = strictUtf8(bytes).value_or(QString());
    else
        text = compoundText(m_connection.display(), property);
    XFree(property.value);
    return text;
}

bool X11Properties::has(unsigned long window, const char *property)
{
    if (!m_connection.isAlive() || window == None)
        return false;
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(m_connection.display(), window,
        m_connection.atom(property), 0, 0, False, AnyPropertyType, &actualType, &actualFormat,
        &items, &after, &data);
    if (data)
        XFree(data);
    return status == Success && actualType != None;
}

QPair<QString, QString> X11Properties::wmClass(unsigned long window)
{
    const auto bytes = raw(window, "WM_CLASS", XA_STRING, 8);
    if (!bytes)
        return {};
    const QList<QByteArray> parts = bytes->split('\0');
    // WM_CLASS is Latin-1 by the ICCCM.
    return {QString::fromLatin1(parts.value(0)), QString::fromLatin1(parts.value(1))};
}
