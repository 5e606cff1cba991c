#pragma once

#include <QString>

// How a direct start ended: the id of the started process, or the system's error number
// (errno) when the program could not be started.
struct ResultatDemarrage {
    qint64 pid = -1;
    int erreur = 0;
    bool reussi() const { return pid > 0; }
};

// Runs a program file as a process of its own: the path is the program and its only
// argument, passed to the kernel as it is, never to a shell. The program is detached
// (a new session, reparented away from us, reaped by the system), its standard input,
// output and error go to /dev/null and it inherits no other descriptor of ours. We only
// wait until the kernel has accepted or refused the file, never for the program.
// A name without a "/" is looked up in PATH, as a command would be.
// Not QProcess::startDetached: the Qt of our systems (6.4) detaches the program and gives
// it a session of its own, but lets it inherit every descriptor of ours that is not
// close-on-exec (closing them came with Qt 6.6), hands on our signal mask and the signals
// we ignore, and tells why a start failed only as a sentence, where ShellGio needs errno
// to open as a document a file that the system refuses to run.
ResultatDemarrage Demarrer_Detache(const QString& programme);
