#pragma once
#include <QString>
#include <QStringList>

class QSettings;

// The four most recently opened or saved files, newest first. When given a settings
// store, every change is written to it at once.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    explicit RecentFileList(QSettings* store = nullptr);

    const QStringList& Files() const { return files_; }
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Save() const;

    QSettings* store_;
    QStringList files_;
};
