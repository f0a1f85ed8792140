#pragma once

#include <QString>

// The folders the program works in.
class Folders {
public:
    virtual ~Folders() = default;
    // Where the program's data folder is made ($XDG_DATA_HOME on Linux).
    virtual QString dataHome() const = 0;
    virtual QString executableFolder() const = 0;
    virtual QString currentFolder() const = 0;
};

class SystemFolders : public Folders {
public:
    QString dataHome() const override;
    QString executableFolder() const override;
    QString currentFolder() const override;
};
