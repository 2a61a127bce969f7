// GBK decoding of whole files in MB/s: random bytes (about one byte in
// three starts no character and becomes a replacement), a binary file of
// mostly bytes above 0x80, and clean GBK text of Chinese names.
#include "platform/text_file.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

QByteArray highBytes(qsizetype size)
{
    QByteArray bytes = randomBytes(size, 2);
    for (char& b : bytes)
        b = char(uchar(b) | 0x80);
    return bytes;
}

QByteArray gbkNames(qsizetype size)
{
    const QByteArray line = platform::encodeAnsi(QString::fromUtf8("郑伟+M\r\n谢强+M+2010XIEQ01\r\n肖英+F\r\n袁平+F\r\n"));
    QByteArray bytes;
    while (bytes.size() < size)
        bytes += line;
    return bytes;
}

void decode(benchmark::State& state, const QByteArray& bytes)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::decodeAnsi(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

const qsizetype kSize = 4 * 1024 * 1024;

void randomFile(benchmark::State& state)
{
    decode(state, randomBytes(kSize, 1));
}

void binaryFile(benchmark::State& state)
{
    decode(state, highBytes(kSize));
}

void nameList(benchmark::State& state)
{
    decode(state, gbkNames(kSize));
}

}  // namespace

BENCHMARK(randomFile)->Unit(benchmark::kMillisecond);
BENCHMARK(binaryFile)->Unit(benchmark::kMillisecond);
BENCHMARK(nameList)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
