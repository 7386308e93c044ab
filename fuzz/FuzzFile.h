// Readers that take a file name get the fuzz input through one scratch file in memory-backed /dev/shm.
#pragma once

#include <unistd.h>

#include <QFile>
#include <QString>

inline QString FuzzInputFile(const uint8_t* data, size_t size, const char* suffix) {
  static const QString dir =
      QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm") : QStringLiteral("/tmp");
  const QString name = dir + QStringLiteral("/menuvia-fuzz-%1-%2").arg(getpid()).arg(QLatin1String(suffix));
  QFile file(name);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  return name;
}
