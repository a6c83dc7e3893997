#include "common/BothCores.h"
#include "support/TestRegistry.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <mutex>
#include <vector>

using namespace orvel;

namespace {

// A sort key with many ties, broken by the item's first place, as the sorted views break them
// on a line number.
struct Keyed {
    int key = 0;
    int place = 0;
};

bool keyedLess(const Keyed &a, const Keyed &b)
{
    return a.key != b.key ? a.key < b.key : a.place < b.place;
}

enum class Keys { Random, FewValues, AllEqual, Ascending, Descending };

} // namespace

Q_DECLARE_METATYPE(Keys)

// The work shared between two threads gives what one thread gives, on lists below and above
// the length where a second thread starts.
class TestBothCores : public QObject
{
    Q_OBJECT

private slots:
    void sortGivesTheOrderOfOneThread_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<Keys>("keys");
        const int threshold = int(kWorthASecondThread);
        for (const int count : {0, 1, threshold - 1, threshold, 100000}) {
            for (const auto &[name, keys] :
                 {std::pair{"random", Keys::Random}, std::pair{"few values", Keys::FewValues},
                  std::pair{"all equal", Keys::AllEqual}, std::pair{"ascending", Keys::Ascending},
                  std::pair{"descending", Keys::Descending}}) {
                QTest::addRow("%d, %s", count, name) << count << keys;
            }
        }
    }
    void sortGivesTheOrderOfOneThread()
    {
        QFETCH(int, count);
        QFETCH(Keys, keys);
        QRandomGenerator random(77);
        std::vector<Keyed> items(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            int key = 0;
            switch (keys) {
            case Keys::Random: key = int(random.generate() >> 1); break;
            case Keys::FewValues: key = random.bounded(3); break;
            case Keys::AllEqual: key = 5; break;
            case Keys::Ascending: key = i; break;
            case Keys::Descending: key = count - i; break;
            }
            items[size_t(i)] = {key, i};
        }
        std::vector<Keyed> expected = items;
        std::sort(expected.begin(), expected.end(), keyedLess);

        sortOnBothCores(items.begin(), items.end(), keyedLess);

        QVERIFY(std::equal(items.begin(), items.end(), expected.begin(), expected.end(),
                           [](const Keyed &a, const Keyed &b) { return a.place == b.place; }));
    }

    // Each item is worked on once, and a long list splits at its middle, where the label
    // selection places the items of its second half.
    void workCoversEachItemOnceSplitAtTheMiddle_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("begins");
        const int threshold = int(kWorthASecondThread);
        QTest::newRow("empty") << 0 << QList<int>{0};
        QTest::newRow("short") << threshold - 1 << QList<int>{0};
        QTest::newRow("long enough") << threshold << QList<int>{0, threshold / 2};
        QTest::newRow("odd") << 2 * threshold + 1 << QList<int>{0, threshold};
    }
    void workCoversEachItemOnceSplitAtTheMiddle()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, begins);
        std::vector<int> visits(size_t(count), 0);
        QList<int> seen;
        std::mutex seenLock;

        onBothCores(count, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
            for (std::ptrdiff_t i = begin; i < end; ++i)
                ++visits[size_t(i)];
            const std::lock_guard lock(seenLock);
            seen.append(int(begin));
        });

        std::sort(seen.begin(), seen.end());
        QCOMPARE(seen, begins);
        QVERIFY(std::all_of(visits.cbegin(), visits.cend(), [](int v) { return v == 1; }));
    }
};

ORVEL_TEST_CLASS(TestBothCores)
#include "tst_bothcores.moc"
