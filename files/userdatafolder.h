#pragma once

#include <QString>

// Gives each user of an installed program a folder of their own: on the
// first start the installed template (the store with its empty pages, the
// standard background) is copied into the user's data folder. The program
// never makes a store from nothing; it only copies the one it was given.
class UserDataFolder {
public:
    UserDataFolder(const QString &templateFolder, const QString &target);

    // Copies every file of the template's Data/ and source/DeskTopBG/ that
    // the target lacks, making the folders it needs; what the target holds
    // already is kept as it is. The folders it makes are its user's alone
    // (0700), and so are the copies (0600). Throws FileError naming the file or
    // folder that could not be made.
    void fillMissing() const;

    // At start-up: when the program keeps its files outside its own folder,
    // fills that folder from the template.
    static void prepare();

private:
    void copyFile(const QString &relative) const;

    QString m_template;
    QString m_target;
};
