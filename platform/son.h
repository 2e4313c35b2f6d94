#pragma once

#include <QString>

class Son
{
public:
    virtual ~Son() = default;
    // Starts the sound of that bare file name and repeats it until stopped;
    // whatever played before ends. Returns at once.
    virtual void joue(const QString &fichier) = 0;
    // Ends any sound; does nothing when none plays.
    virtual void arrete() = 0;
};
