#include "Solitask/app/UpdaterBridge.h"

#include "Solitask/session/Prefs.h"
#include "Solitask/ui/Stacking.h"
#include "SolitaskCore/Diag.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>
#include <QVersionNumber>

namespace {

constexpr qint64 feedLimit = 64 * 1024;

void showMessage(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Solitask"), text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->setModal(false);
    // Asked from the tray while the journal or the compact gate stays on
    // top: the answer must not open underneath them.
    Stacking::aboveSurfaces(box);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace

UpdaterBridge::UpdaterBridge(QString currentVersion, Notify notify, QObject *parent)
    : QObject(parent)
    , m_version(std::move(currentVersion))
    , m_notify(notify ? std::move(notify) : Notify(showMessage))
{
}

UpdaterBridge::~UpdaterBridge()
{
    if (m_reply)
        m_reply->abort();
}

QString UpdaterBridge::packagedMessage()
{
    return QStringLiteral("Updates for Solitask come with its package. Update it with the "
                          "package manager that installed it.");
}

QString UpdaterBridge::feedMessage(const QByteArray &body, const QString &currentVersion)
{
    const QJsonObject feed = QJsonDocument::fromJson(body).object();
    const QVersionNumber offered = QVersionNumber::fromString(feed.value("version").toString());
    if (offered.isNull())
        return QStringLiteral("The update feed could not be read. Try again later.");
    if (offered <= QVersionNumber::fromString(currentVersion))
        return QStringLiteral("Solitask %1 is the newest version.").arg(currentVersion);
    const QString url = feed.value("url").toString();
    const QString text = QStringLiteral("Solitask %1 is available.").arg(offered.toString());
    return url.isEmpty() ? text : text + QStringLiteral("\n") + url;
}

void UpdaterBridge::checkForUpdates()
{
    if (checking())
        return;
    const QUrl feed(Prefs::text(feedKey), QUrl::StrictMode);
    if (!feed.isValid() || feed.isRelative()) {
        Diag::log(QStringLiteral("updates: no feed; updates come with the package"));
        return tell(packagedMessage());
    }
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(feed);
    request.setTransferTimeout(timeoutMs);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &UpdaterBridge::finished);
}

void UpdaterBridge::finished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    reply->deleteLater();
    m_reply.clear();
    if (reply->error() != QNetworkReply::NoError) {
        Diag::log(QStringLiteral("updates: feed failed: ") + reply->errorString());
        return tell(QStringLiteral("Couldn\u2019t check for updates: ") + reply->errorString());
    }
    const QString text = feedMessage(reply->read(feedLimit), m_version);
    Diag::log(QStringLiteral("updates: ") + text.section(QLatin1Char('\n'), 0, 0));
    tell(text);
}

void UpdaterBridge::tell(const QString &text)
{
    m_notify(text);
}
