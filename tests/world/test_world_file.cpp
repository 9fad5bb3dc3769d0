// The world file's bytes, and every kind of file that the reader refuses.
#include "world/world_file.h"

#include <QTest>
#include <functional>
#include <vector>

using namespace nibbo;

namespace {

using Bytes = std::vector<uint8_t>;

// The world of the worked example: start (2, 2) facing east, stock 5, 4 portions on (3, 5).
WorldRecord ExampleRecord() {
    World world;
    ClearWorld(world);
    SetCell(world, 3, 5, 4);
    world.StartColumn = 2;
    world.StartRow = 2;
    world.Orientation = East;
    PlainStockField stock;
    stock.WriteStock(5);
    WorldRecord record;
    StoreWorld(world, stock, record);
    return record;
}

Bytes Encoded(const WorldRecord& record) {
    const WorldFileBytes bytes = EncodeWorldFile(record);
    return {bytes.begin(), bytes.end()};
}

void PutLe(Bytes& bytes, std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + std::size_t(i)] = uint8_t(value >> (8 * i));
}

std::size_t CellOffset(int column, int row) {
    return std::size_t(((column - 1) * 20 + (row - 1)) * 4);
}

void CompareRecords(const WorldRecord& actual, const WorldRecord& expected) {
    QVERIFY(actual.Cells == expected.Cells);
    QCOMPARE(actual.StartColumn, expected.StartColumn);
    QCOMPARE(actual.StartRow, expected.StartRow);
    QCOMPARE(actual.Orientation, expected.Orientation);
    QCOMPARE(actual.Reserved, expected.Reserved);
    QCOMPARE(actual.Stock, expected.Stock);
}

} // namespace

using Mutation = std::function<void(Bytes&)>;
Q_DECLARE_METATYPE(Mutation)

class TestWorldFile : public QObject {
    Q_OBJECT
private slots:
    void theWorkedExampleByteForByte() {
        const Bytes bytes = Encoded(ExampleRecord());
        QCOMPARE(bytes.size(), std::size_t(1936));
        const auto at = [&](std::size_t offset, std::size_t count) {
            return Bytes(bytes.begin() + std::ptrdiff_t(offset),
                         bytes.begin() + std::ptrdiff_t(offset + count));
        };
        for (std::size_t i = 0; i < 80; i += 4)
            QCOMPARE(at(i, 4), (Bytes{0x0A, 0, 0, 0})); // the wall column 1
        QCOMPARE(at(176, 4), (Bytes{0x04, 0, 0, 0}));
        QCOMPARE(at(1920, 4), (Bytes{0x02, 0, 0, 0}));
        QCOMPARE(at(1924, 4), (Bytes{0x02, 0, 0, 0}));
        QCOMPARE(at(1928, 4), (Bytes{0, 0, 0, 0})); // facing east, then three zero bytes
        QCOMPARE(at(1932, 4), (Bytes{0x05, 0, 0, 0}));
        // Every other cell: a wall on the ring, free path inside, column by column.
        for (int c = 1; c <= 24; ++c) {
            for (int r = 1; r <= 20; ++r) {
                if (c == 3 && r == 5) continue;
                const uint8_t code = (c == 1 || c == 24 || r == 1 || r == 20) ? 0x0A : 0x00;
                QCOMPARE(at(CellOffset(c, r), 4), (Bytes{code, 0, 0, 0}));
            }
        }
    }

    void integersAreLittleEndianAndTheReservedBytesAreWrittenBack() {
        WorldRecord record;
        record.Cells[0] = -1;
        record.Cells[479] = 0x01020304;
        record.StartColumn = 0x0A0B0C0D;
        record.StartRow = -2;
        record.Orientation = 0xEE;
        record.Reserved = {0x11, 0x22, 0x33};
        record.Stock = 250;
        const Bytes bytes = Encoded(record);
        QCOMPARE(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(Bytes(bytes.begin() + 1916, bytes.begin() + 1920), (Bytes{0x04, 0x03, 0x02, 0x01}));
        QCOMPARE(Bytes(bytes.begin() + 1920, bytes.end()),
                 (Bytes{0x0D, 0x0C, 0x0B, 0x0A, 0xFE, 0xFF, 0xFF, 0xFF, 0xEE, 0x11, 0x22, 0x33, 0xFA, 0x00,
                        0x00, 0x00}));
    }

    void everyWorldThatCanBeSavedLoadsBackAsItWas() {
        const struct {
            int column, row, orientation, stock;
            std::array<uint8_t, 3> reserved;
        } starts[] = {{2, 2, 0, 0, {0, 0, 0}},
                      {23, 19, 1, 250, {1, 2, 3}},
                      {12, 7, 2, 17, {0xFF, 0, 0x80}},
                      {5, 18, 3, 1, {0, 0, 0}}};
        for (const auto& start : starts) {
            WorldRecord record = ExampleRecord();
            for (int c = 2; c <= 23; ++c)
                for (int r = 2; r <= 19; ++r)
                    record.Cells[std::size_t(CellIndex(c, r))] = (c * 7 + r * 3) % 11;
            record.Cells[std::size_t(CellIndex(start.column, start.row))] = 9;
            record.StartColumn = start.column;
            record.StartRow = start.row;
            record.Orientation = uint8_t(start.orientation);
            record.Reserved = start.reserved;
            record.Stock = start.stock;
            Bytes bytes = Encoded(record);
            WorldFileReading reading = DecodeWorldFile(bytes);
            QVERIFY2(reading.Record, reading.Problem.c_str());
            QVERIFY(reading.Problem.empty());
            CompareRecords(*reading.Record, record);
            // Bytes after the first 1936 are ignored.
            bytes.insert(bytes.end(), {0x99, 0x98, 0x97, 0x96, 0x95});
            reading = DecodeWorldFile(bytes);
            QVERIFY(reading.Record);
            CompareRecords(*reading.Record, record);
        }
    }

    void refusedFiles_data() {
        QTest::addColumn<Mutation>("mutation");
        QTest::addColumn<QString>("reason");
        const auto cell = [](int c, int r, uint32_t code) {
            return [=](Bytes& b) { PutLe(b, CellOffset(c, r), code); };
        };
        const auto start = [](uint32_t c, uint32_t r) {
            return [=](Bytes& b) {
                PutLe(b, 1920, c);
                PutLe(b, 1924, r);
            };
        };
        QTest::newRow("empty") << Mutation([](Bytes& b) { b.clear(); }) << "Sie ist leer.";
        QTest::newRow("one byte") << Mutation([](Bytes& b) { b.resize(1); })
                                  << "Sie ist nur 1 Byte lang, eine Welt hat 1936 Bytes.";
        QTest::newRow("one byte short") << Mutation([](Bytes& b) { b.pop_back(); })
                                        << "Sie ist nur 1935 Bytes lang, eine Welt hat 1936 Bytes.";
        QTest::newRow("cell code 11")
            << Mutation(cell(3, 5, 11))
            << "Das Feld in Spalte 3, Zeile 5 hat den Wert 11; erlaubt sind 0 (Weg), "
               "1 bis 9 (Futter) und 10 (Mauer).";
        QTest::newRow("negative cell code on the border")
            << Mutation(cell(24, 20, 0xFFFFFFFF))
            << "Das Feld in Spalte 24, Zeile 20 hat den Wert -1; erlaubt sind 0 (Weg), 1 bis 9 (Futter) und "
               "10 (Mauer).";
        QTest::newRow("free border cell")
            << Mutation(cell(1, 7, 0)) << "Das Randfeld in Spalte 1, Zeile 7 ist keine Mauer.";
        QTest::newRow("food on the bottom row")
            << Mutation(cell(12, 20, 3)) << "Das Randfeld in Spalte 12, Zeile 20 ist keine Mauer.";
        QTest::newRow("no start") << Mutation(start(0, 0))
                                  << "Das Startfeld (Spalte 0, Zeile 0) liegt nicht innerhalb der Randmauer.";
        QTest::newRow("start on the border")
            << Mutation(start(24, 10))
            << "Das Startfeld (Spalte 24, Zeile 10) liegt nicht innerhalb der Randmauer.";
        QTest::newRow("start on the top row")
            << Mutation(start(5, 1))
            << "Das Startfeld (Spalte 5, Zeile 1) liegt nicht innerhalb der Randmauer.";
        QTest::newRow("start far outside")
            << Mutation(start(0x7FFFFFFF, 0xFFFFFFF0))
            << "Das Startfeld (Spalte 2147483647, Zeile -16) liegt nicht innerhalb der "
               "Randmauer.";
        QTest::newRow("start on a wall") << Mutation([](Bytes& b) { PutLe(b, CellOffset(2, 2), 10); })
                                         << "Das Startfeld (Spalte 2, Zeile 2) ist eine Mauer.";
        QTest::newRow("orientation 4")
            << Mutation([](Bytes& b) { b[1928] = 4; })
            << "Die Blickrichtung 4 gibt es nicht; erlaubt sind 0 (Osten), 1 (Norden), 2 "
               "(Westen) und 3 (Süden).";
        QTest::newRow("stock 251") << Mutation([](Bytes& b) { PutLe(b, 1932, 251); })
                                   << "Der Vorrat 251 liegt nicht zwischen 0 und 250.";
        QTest::newRow("negative stock") << Mutation([](Bytes& b) { PutLe(b, 1932, 0xFFFFFFFF); })
                                        << "Der Vorrat -1 liegt nicht zwischen 0 und 250.";
    }

    void refusedFiles() {
        QFETCH(Mutation, mutation);
        QFETCH(QString, reason);
        Bytes bytes = Encoded(ExampleRecord());
        QVERIFY(DecodeWorldFile(bytes).Record); // the file is good before the change
        mutation(bytes);
        const WorldFileReading reading = DecodeWorldFile(bytes);
        QVERIFY(!reading.Record);
        QCOMPARE(QString::fromStdString(reading.Problem),
                 QStringLiteral("Die Datei ist keine Nibbo-Welt: ") + reason);
    }
};

QTEST_GUILESS_MAIN(TestWorldFile)
#include "test_world_file.moc"
