#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace griffwandler::test {

// Decides for as long as it lives what the program finds as xdg-open: nothing
// at all, or a stand-in that notes each address it is given and ends with a
// chosen exit status (-1: it crashes). While held, the stand-in waits (ten
// seconds at most) before it ends.
//
// The program takes the first xdg-open on PATH, so the stand-in's folder goes
// in front of the PATH the test started with and everything else stays
// findable (the stand-in itself needs sleep). "Nothing" is a PATH of one empty
// folder: on a merged-/usr system the real xdg-open lies in every system
// folder, so no system folder can stay.
class OpenerOnPath {
public:
    static constexpr int Crashes = -1;

    OpenerOnPath() : m_path(qgetenv("PATH"))
    {
        startPath(); // noted before the first change
        qputenv("PATH", QFile::encodeName(m_dir.path()));
    }

    explicit OpenerOnPath(int exitStatus) : m_path(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + startPath());
        const QString ending = exitStatus == Crashes ? QStringLiteral("kill -SEGV $$")
                                                     : QStringLiteral("exit %1").arg(exitStatus);
        QFile script(file(QStringLiteral("xdg-open")));
        if (script.open(QIODevice::WriteOnly))
            script.write(QStringLiteral("#!/bin/sh\n"
                                        "printf '%s\\n' \"$*\" >> '%1'\n"
                                        "n=0\n"
                                        "while [ -e '%2' ] && [ $n -lt 200 ]; do\n"
                                        "    sleep 0.05; n=$((n + 1))\n"
                                        "done\n"
                                        ": > '%3'\n"
                                        "%4\n")
                             .arg(file(QStringLiteral("requests")), file(QStringLiteral("hold")),
                                  file(QStringLiteral("ended")), ending)
                             .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ~OpenerOnPath() { qputenv("PATH", m_path); }

    OpenerOnPath(const OpenerOnPath &) = delete;
    OpenerOnPath &operator=(const OpenerOnPath &) = delete;

    // The arguments of each start, one line each.
    QStringList requests() const
    {
        QFile log(file(QStringLiteral("requests")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    void hold() const { QFile(file(QStringLiteral("hold"))).open(QIODevice::WriteOnly); }
    void release() const { QFile::remove(file(QStringLiteral("hold"))); }
    bool ended() const { return QFile::exists(file(QStringLiteral("ended"))); }

private:
    // PATH as the test process found it, before any holder changed it.
    static const QByteArray &startPath()
    {
        static const QByteArray path = qgetenv("PATH");
        return path;
    }

    QString file(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    QTemporaryDir m_dir;
    QByteArray m_path;
};

} // namespace griffwandler::test
