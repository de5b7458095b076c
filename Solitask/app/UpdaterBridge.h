#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

/// "Check for Updates…". With an update feed configured (the preference
/// `updateFeedURL`: a JSON document {"version": …, "url": …}) it reads the
/// feed in the background and tells the person what it found; otherwise it
/// says that updates come with the package that installed Solitask. It never
/// blocks and never fails louder than a message.
class UpdaterBridge : public QObject
{
    Q_OBJECT

public:
    static inline const QString feedKey = QStringLiteral("updateFeedURL");
    static constexpr int timeoutMs = 15000;

    using Notify = std::function<void(const QString &text)>;

    /// `notify` shows a message; by default a window that does not wait for an answer.
    explicit UpdaterBridge(QString currentVersion, Notify notify = {}, QObject *parent = nullptr);
    ~UpdaterBridge() override;

    void checkForUpdates();
    bool checking() const { return !m_reply.isNull(); }

    static QString packagedMessage();
    /// What to tell the person about a feed's body.
    static QString feedMessage(const QByteArray &body, const QString &currentVersion);

private:
    void finished();
    void tell(const QString &text);

    QString m_version;
    Notify m_notify;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
};
