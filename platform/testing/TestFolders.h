#pragma once

#include "platform/Folders.h"

class TestFolders : public Folders {
public:
    QString dataHome() const override { return data; }
    QString executableFolder() const override { return executable; }
    QString currentFolder() const override { return current; }
    QString data;
    QString executable;
    QString current;
};
