#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace tindrel::testing {

// A fresh, empty working folder for one test, where the program looks for and writes
// IPs.td. On destruction the previous working folder comes back before this one is removed.
class ScratchWorkingFolder {
public:
    ScratchWorkingFolder() : previous_(QDir::currentPath()) {
        entered_ = folder_.isValid() && QDir::setCurrent(folder_.path());
    }
    ~ScratchWorkingFolder() { QDir::setCurrent(previous_); }
    ScratchWorkingFolder(const ScratchWorkingFolder&) = delete;
    ScratchWorkingFolder& operator=(const ScratchWorkingFolder&) = delete;

    bool entered() const { return entered_; }
    QString path() const { return folder_.path(); }

private:
    QString previous_;
    QTemporaryDir folder_;
    bool entered_ = false;
};

} // namespace tindrel::testing
