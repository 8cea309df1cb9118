// FileEncrypt of a 64 MiB file against `openssl enc -aes-128-ecb -nopad` without AES-NI, on the
// same data in the same run. Prints both throughputs and the ratio (goal: at least 0.8).
#include "security/cRijndael.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr qint64 Size = 64ll * 1024 * 1024;
constexpr int Runs = 3;

double mibPerSecond(qint64 ns) {
    return (double(Size) / (1024.0 * 1024.0)) / (double(ns) / 1e9);
}

bool writeData(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    QRandomGenerator gen(2026);
    for (qint64 done = 0; done < Size; done += chunk.size()) {
        gen.fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
        if (f.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

QByteArray head(const QString& path, qint64 n) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.bin");
    const QString ours = dir.filePath("ours.aes");
    const QString theirs = dir.filePath("openssl.aes");
    if (!dir.isValid() || !writeData(plain)) {
        std::fprintf(stderr, "cannot write the test data in %s\n", qPrintable(dir.path()));
        return 1;
    }

    const QByteArray key = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
    cRijndael cipher;
    cipher.SetCipherKey(key, 128);

    qint64 best = -1;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        cipher.FileEncrypt(plain, ours);
        const qint64 ns = t.nsecsElapsed();
        best = best < 0 ? ns : std::min(best, ns);
    }
    const double oursRate = mibPerSecond(best);
    std::printf("cRijndael FileEncrypt : %8.1f MiB/s (best of %d, 64 MiB)\n", oursRate, Runs);

    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        std::printf("openssl not found: reference skipped\n");
        return 0;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OPENSSL_ia32cap"), QStringLiteral("~0x200000200000000")); // AES-NI off
    qint64 bestRef = -1;
    for (int i = 0; i < Runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(openssl, {QStringLiteral("enc"), QStringLiteral("-aes-128-ecb"), QStringLiteral("-nopad"),
                          QStringLiteral("-K"), QString::fromLatin1(key.toHex()), QStringLiteral("-in"),
                          plain, QStringLiteral("-out"), theirs});
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            std::printf("openssl failed (%s): reference skipped\n", p.readAllStandardError().constData());
            return 0;
        }
        const qint64 ns = t.nsecsElapsed();
        bestRef = bestRef < 0 ? ns : std::min(bestRef, ns);
    }
    const double refRate = mibPerSecond(bestRef);
    std::printf("openssl enc (no AES-NI): %8.1f MiB/s (best of %d, 64 MiB, process start included)\n",
                refRate, Runs);
    std::printf("ratio ours/openssl    : %8.2f (goal >= 0.80)\n", oursRate / refRate);

    // Same cipher, same data: the outputs agree except for our length block at the end.
    const bool agree = QFile(ours).size() == Size + 16 && head(ours, Size) == head(theirs, Size);
    std::printf("outputs agree         : %s\n", agree ? "yes" : "NO");
    return agree ? 0 : 1;
}
