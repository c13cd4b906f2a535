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
class OpenerOnPath {
public:
    static constexpr int Crashes = -1;

    OpenerOnPath() : m_path(qgetenv("PATH"))
    {
        // Its own folder first, then every folder of PATH that holds no xdg-open.
        QStringList folders{m_dir.path()};
        for (const QString &folder : QString::fromLocal8Bit(m_path).split(u':'))
            if (!folder.isEmpty() &&
                !QFile::exists(QDir(folder).filePath(QStringLiteral("xdg-open"))))
                folders << folder;
        qputenv("PATH", QFile::encodeName(folders.join(u':')));
    }

    explicit OpenerOnPath(int exitStatus) : OpenerOnPath()
    {
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
    QString file(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    QTemporaryDir m_dir;
    QByteArray m_path;
};

} // namespace griffwandler::test
