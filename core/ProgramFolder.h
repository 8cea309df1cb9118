#pragma once
#include <QString>
#include <QStringList>

// The folder that holds Tobrin.dat, wave/, backup/ and readme.txt: `--home DIR` on the command
// line, else $TOBRIN_HOME, else the folder of the executable.
QString ResolveProgramFolder(const QStringList& arguments, const QString& executableFolder);
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
