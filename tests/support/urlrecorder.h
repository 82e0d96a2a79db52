#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the user's browser: QDesktopServices hands it the addresses
// it would open (register it with QDesktopServices::setUrlHandler(scheme,
// &recorder, "open")).
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};
