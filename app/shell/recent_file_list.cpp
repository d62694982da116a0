#include "app/shell/recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char kGroup[] = "Recent File List";

QString EntryKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(QSettings* store) : store_(store)
{
    if (!store_) return;
    store_->beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        QString path = store_->value(EntryKey(i)).toString();
        if (!path.isEmpty() && !files_.contains(path)) files_.append(path);
    }
    store_->endGroup();
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty()) return;
    QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > kSize) files_.removeLast();
    Save();
}

void RecentFileList::Remove(const QString& path)
{
    if (files_.removeAll(path) > 0) Save();
}

void RecentFileList::Save() const
{
    if (!store_) return;
    store_->beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        if (i < files_.size()) store_->setValue(EntryKey(i), files_[i]);
        else store_->remove(EntryKey(i));
    }
    store_->endGroup();
    store_->sync();
}
