// A folder of the program's own among the system's temporary files, for a file that is
// written only to be read back (the batch tool's report on its way to standard output).
// Errors are the system's numbers as ErrorText reads them.
#pragma once

#include <string>

// The system's folder for temporary files (TMPDIR or /tmp; Windows' temporary folder).
std::string TemporaryParent();
// Makes a new folder in it that only this user can enter; 0 and its path with a
// trailing separator, or the error.
int MakePrivateFolder(std::string& folder);
// Removes the folder and everything in it, quietly.
void RemoveFolderTree(const std::string& folder);
// The whole file; 0, or the error of the failed open or read.
int ReadWholeFile(const std::string& path, std::string& bytes);
