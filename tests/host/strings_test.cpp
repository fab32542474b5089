#include "host/exceptions.h"
#include "host/stream.h"
#include "host/strings.h"
#include "test_paths.h"

#include "change_counter.h"
#include <gtest/gtest.h>

namespace {

QStringList Lines(const TStrings &s) { return s.ToStringList(); }

}  // namespace

TEST(StringList, NameValueLinesIgnoreCaseAndKeepEqualsInValues) {
    TStringList s;
    s.SetText("Host=db.local\nFilter=a=b AND c=d\nnovalue\n=orphan\n");
    EXPECT_EQ(s.Values("filter"), "a=b AND c=d");
    EXPECT_EQ(s.Values("HOST"), "db.local");
    EXPECT_EQ(s.Values("missing"), "");
    EXPECT_EQ(s.IndexOfName("novalue"), -1);  // a line without '=' has no name
    EXPECT_EQ(s.Names(2), "");
    EXPECT_EQ(s.Names(3), "");
    EXPECT_EQ(s.ValueFromIndex(3), "orphan");
    EXPECT_EQ(s.IndexOf("HOST=DB.LOCAL"), 0);

    s.SetValue("host", "other");
    EXPECT_EQ(s.Get(0), "host=other");  // replaced in place with the given spelling
    s.SetValue("New", "1");
    EXPECT_EQ(s.Get(s.Count() - 1), "New=1");
    s.SetValue("FILTER", "");
    EXPECT_EQ(s.IndexOfName("Filter"), -1);
    EXPECT_EQ(s.Count(), 4);
}

TEST(StringList, TextSplitsEveryLineEndingAndJoinsWithNewlines) {
    TStringList s;
    s.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(Lines(s), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(s.Text(), "a\nb\nc\nd\n");
    s.SetText("x\n");
    EXPECT_EQ(Lines(s), QStringList({"x"}));
    s.SetText("x\n\n");
    EXPECT_EQ(Lines(s), QStringList({"x", ""}));
    s.SetText("\r\n\r\n");
    EXPECT_EQ(Lines(s), QStringList({"", ""}));
    s.SetText("a\n\rb");  // LF then a lone CR: two breaks
    EXPECT_EQ(Lines(s), QStringList({"a", "", "b"}));
    s.SetText("");
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.Text(), "");
}

TEST(StringList, CommaTextQuotesLikeTheClassicForm) {
    TStringList s;
    s.SetStringList({"plain", "two words", "say \"hi\"", "a,b", ""});
    EXPECT_EQ(s.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\",\"a,b\",");
    s.SetStringList({""});
    EXPECT_EQ(s.CommaText(), "\"\"");
    s.Clear();
    EXPECT_EQ(s.CommaText(), "");

    s.SetCommaText("plain,\"two words\",\"say \"\"hi\"\"\",\"a,b\",");
    EXPECT_EQ(Lines(s), QStringList({"plain", "two words", "say \"hi\"", "a,b", ""}));
    // Unquoted blanks separate items too; blanks around commas are skipped.
    s.SetCommaText("  a b , c,,d");
    EXPECT_EQ(Lines(s), QStringList({"a", "b", "c", "", "d"}));
    s.SetCommaText("\"\"");
    EXPECT_EQ(Lines(s), QStringList({""}));
    s.SetCommaText("\"unterminated, still one");
    EXPECT_EQ(Lines(s), QStringList({"unterminated, still one"}));
}

TEST(StringList, SortedListsKeepOrderAndApplyTheDuplicatesPolicy) {
    TStringList s;
    s.SetStringList({"pear", "Apple", "banana"});
    s.SetSorted(true);
    EXPECT_EQ(Lines(s), QStringList({"Apple", "banana", "pear"}));
    EXPECT_EQ(s.Add("Cherry"), 2);
    EXPECT_EQ(s.IndexOf("CHERRY"), 2);
    EXPECT_EQ(s.IndexOf("kiwi"), -1);
    int at = -1;
    EXPECT_FALSE(s.Find("kiwi", at));
    EXPECT_EQ(at, 3);  // insert position, before "pear"

    EXPECT_EQ(s.Add("APPLE"), 0);  // dupAccept by default
    EXPECT_EQ(s.Count(), 5);

    s.SetDuplicates(dupIgnore);
    EXPECT_EQ(s.Add("banana"), s.IndexOf("banana"));
    EXPECT_EQ(s.Count(), 5);

    s.SetDuplicates(dupError);
    try {
        s.Add("Pear");
        FAIL() << "duplicate accepted";
    } catch (const EStringListError &e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(s.Count(), 5);

    // Positional edits would break the order.
    EXPECT_THROW(s.Insert(0, "zzz"), EStringListError);
    EXPECT_THROW(s.Put(0, "zzz"), EStringListError);
    EXPECT_THROW(s.Exchange(0, 1), EStringListError);
    // Values of a sorted list move the changed line to its place.
    s.SetDuplicates(dupAccept);
    s.Add("m=1");
    s.SetValue("m", "changed");
    EXPECT_EQ(s.Values("M"), "changed");
    QStringList sorted = Lines(s);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(Lines(s), sorted);
}

TEST(StringList, IndexErrorsNameTheIndex) {
    TStringList s;
    s.Add("only");
    try {
        s.Get(3);
        FAIL() << "no error";
    } catch (const EStringListError &e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(s.Get(-1), EStringListError);
    EXPECT_THROW(s.Put(1, "x"), EStringListError);
    EXPECT_THROW(s.Delete(1), EStringListError);
    EXPECT_THROW(s.Insert(2, "x"), EStringListError);
    EXPECT_THROW(s.Objects(1), EStringListError);
    EXPECT_THROW(s.Move(0, 1), EStringListError);
    EXPECT_THROW(s.Names(5), EStringListError);
    s.Insert(1, "end");  // Count itself is a valid insert position
    EXPECT_EQ(Lines(s), QStringList({"only", "end"}));
}

TEST(StringList, EditsMoveObjectsWithTheirLines) {
    QObject a, b;
    TStringList s;
    s.AddObject("one", &a);
    s.AddObject("two", &b);
    s.Add("three");
    s.Move(0, 2);
    EXPECT_EQ(Lines(s), QStringList({"two", "three", "one"}));
    EXPECT_EQ(s.Objects(2), &a);
    s.Exchange(0, 1);
    EXPECT_EQ(s.Objects(1), &b);
    EXPECT_EQ(s.IndexOfObject(&b), 1);
    s.Delete(1);
    EXPECT_EQ(s.IndexOfObject(&b), -1);
    s.SetSorted(true);
    EXPECT_EQ(Lines(s), QStringList({"one", "three"}));
    EXPECT_EQ(s.Objects(0), &a);
}

TEST(StringList, AssignCopiesLinesAndObjectsAndAnnouncesOnce) {
    QObject tag;
    TStringList source;
    source.AddObject("b", &tag);
    source.Add("a");
    TStringList target;
    target.SetSorted(true);
    target.Add("old");
    ChangeCounter changes(&target);
    target.Assign(&source);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(Lines(target), QStringList({"a", "b"}));  // the target keeps sorting
    EXPECT_EQ(target.Objects(1), &tag);
    EXPECT_EQ(Lines(source), QStringList({"b", "a"}));

    target.Assign(&target);  // assigning to itself keeps the lines
    EXPECT_EQ(target.Count(), 2);
    EXPECT_THROW(target.Assign(nullptr), EConvertError);
}

TEST(StringList, ChangedIsAnnouncedOncePerOperationAndNotForNoChange) {
    TStringList s;
    ChangeCounter changes(&s);
    s.SetText("a\nb\n");
    EXPECT_EQ(changes.count(), 1);
    s.SetText("a\r\nb");  // same lines
    EXPECT_EQ(changes.count(), 1);
    s.Put(0, "a");
    s.Clear();
    EXPECT_EQ(changes.count(), 2);
    s.Clear();
    EXPECT_EQ(changes.count(), 2);
    s.BeginUpdate();
    s.Add("x");
    s.Add("y");
    s.Delete(0);
    EXPECT_EQ(changes.count(), 2);
    s.EndUpdate();
    EXPECT_EQ(changes.count(), 3);
    s.EndUpdate();  // unbalanced: ignored
    s.Add("z");
    EXPECT_EQ(changes.count(), 4);
}

TEST(StringList, FilesRoundTripInTheEightBitTextRule) {
    TestDir dir;
    TStringList s;
    s.SetStringList({"Preis: 5 €", "naïve"});
    s.SaveToFile(dir.Path("latin.txt"));
    // Every character fits Windows-1252: one byte each, euro sign 0x80.
    EXPECT_EQ(ReadWholeFile(dir.Path("latin.txt")), QByteArray("Preis: 5 \x80\nna\xEFve\n"));
    TStringList back;
    back.LoadFromFile(dir.Path("latin.txt"));
    EXPECT_TRUE(back.Equals(s));

    s.SetStringList({"報告書", "€ and 漢字"});
    s.SaveToFile(dir.Path("cjk.txt"));
    EXPECT_EQ(ReadWholeFile(dir.Path("cjk.txt")), QString("報告書\n€ and 漢字\n").toUtf8());
    back.LoadFromFile(dir.Path("cjk.txt"));
    EXPECT_EQ(Lines(back), Lines(s));

    // Bytes that are not valid UTF-8 read as Windows-1252; a UTF-8 byte-order mark is dropped.
    WriteWholeFile(dir.Path("cp.txt"), QByteArray("caf\xE9\r\nok"));
    back.LoadFromFile(dir.Path("cp.txt"));
    EXPECT_EQ(Lines(back), QStringList({"café", "ok"}));
    WriteWholeFile(dir.Path("bom.txt"), QByteArray("\xEF\xBB\xBFplain\n"));
    back.LoadFromFile(dir.Path("bom.txt"));
    EXPECT_EQ(Lines(back), QStringList({"plain"}));

    EXPECT_THROW(back.LoadFromFile(dir.Path("missing.txt")), EFOpenError);
    EXPECT_EQ(Lines(back), QStringList({"plain"}));
    EXPECT_THROW(s.SaveToFile(dir.Path("no/such/dir/x.txt")), EFOpenError);
}

TEST(StringList, StreamsReadFromThePositionToTheEnd) {
    TStringList s;
    s.SetStringList({"first", "zweite Zeile €"});
    TMemoryStream stream;
    stream.WriteBytes("HEAD");
    s.SaveToStream(stream);
    stream.SetPosition(4);
    TStringList back;
    back.LoadFromStream(stream);
    EXPECT_EQ(Lines(back), Lines(s));
    EXPECT_EQ(stream.Remaining(), 0);
}
