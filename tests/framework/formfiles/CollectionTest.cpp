// Collections: items with published properties, read and written as "< item ... end >".
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/TypInfoBuilder.h"

using namespace Tovix;

namespace {

// An item holding a collection of its own (of notes, themselves books without notes).
class TBook : public TCollectionItem {
  TOVIX_DECLARE_CLASS(TBook)

 public:
  explicit TBook(TCollection* collection) : TCollectionItem(collection), notes_(this, TCollection::Maker<TBook>()) {}
  const String& GetTitle() const { return title_; }
  void SetTitle(const String& v) {
    title_ = v;
    Changed(false);
  }
  int GetPages() const { return pages_; }
  void SetPages(int v) { pages_ = v; }
  TCollection* GetNotes() const { return const_cast<TCollection*>(&notes_); }
  void SetNotes(TCollection* v) { notes_.Assign(v); }
  TBook* Note(int i) const { return static_cast<TBook*>(notes_.GetItem(i)); }

 private:
  String title_;
  int pages_ = 100;
  TCollection notes_;
};

TOVIX_IMPLEMENT_CLASS(TBook, TCollectionItem) {
  c.Property("Title", &TBook::GetTitle, &TBook::SetTitle);
  c.Property("Pages", &TBook::GetPages, &TBook::SetPages).Default(100);
  c.Property("Notes", &TBook::GetNotes, &TBook::SetNotes);
}

class TShelf : public TComponent {
  TOVIX_DECLARE_CLASS(TShelf)

 public:
  explicit TShelf(TComponent* owner) : TComponent(owner), books_(this, TCollection::Maker<TBook>()) {
    books_.SetOnChange([this](TCollection*, TCollectionItem* item) { changes.push_back(item); });
  }
  TCollection* GetBooks() const { return const_cast<TCollection*>(&books_); }
  void SetBooks(TCollection* v) { books_.Assign(v); }
  const String& GetLabel() const { return label_; }
  void SetLabel(const String& v) { label_ = v; }
  TBook* Book(int i) const { return static_cast<TBook*>(books_.GetItem(i)); }
  std::vector<TCollectionItem*> changes;

 private:
  TCollection books_;
  String label_;
};

TOVIX_IMPLEMENT_CLASS(TShelf, TComponent) {
  c.Property("Books", &TShelf::GetBooks, &TShelf::SetBooks);
  c.Property("Label", &TShelf::GetLabel, &TShelf::SetLabel);
}

const char kShelves[] =
    "object Shelf1: TShelf\r\n"
    "  Books = <\r\n"
    "    item\r\n"
    "      Title = 'First'\r\n"
    "      Pages = 320\r\n"
    "      Notes = <\r\n"
    "        item\r\n"
    "          Title = 'worn'\r\n"
    "          Notes = <>\r\n"
    "        end\r\n"
    "        item\r\n"
    "          Title = 'signed'\r\n"
    "          Notes = <>\r\n"
    "        end>\r\n"
    "    end\r\n"
    "    item\r\n"
    "      Title = 'Second'\r\n"
    "      Notes = <>\r\n"
    "    end>\r\n"
    "  Label = 'after'\r\n"
    "  object Shelf2: TShelf\r\n"
    "    Books = <>\r\n"
    "  end\r\n"
    "end\r\n";

}  // namespace

TEST(Collections, ReadWriteReadGivesTheSameTextWithNestingAndEmptyCollections) {
  TShelf shelf(nullptr);
  ReadComponentFromText(kShelves, &shelf);
  ASSERT_EQ(2, shelf.GetBooks()->Count());
  EXPECT_EQ("First", shelf.Book(0)->GetTitle());
  EXPECT_EQ(320, shelf.Book(0)->GetPages());
  ASSERT_EQ(2, shelf.Book(0)->GetNotes()->Count());
  EXPECT_EQ("signed", shelf.Book(0)->Note(1)->GetTitle());
  EXPECT_EQ(100, shelf.Book(1)->GetPages());
  EXPECT_EQ(0, shelf.Book(1)->GetNotes()->Count());
  EXPECT_EQ("after", shelf.GetLabel());
  EXPECT_EQ((std::vector<TCollectionItem*>{nullptr}), shelf.changes) << "one notification for the whole read";

  String written = WriteComponentToText(&shelf);
  EXPECT_EQ(kShelves, written);
  TShelf again(nullptr);
  ReadComponentFromText(written, &again);
  EXPECT_EQ(written, WriteComponentToText(&again));

  // Reading replaces the items; an item's faulty property is skipped alone when handled.
  std::vector<String> skipped;
  ReadComponentFromText(
      "object Shelf1: TShelf\r\n  Books = <\r\n    item\r\n      Title = 'Only'\r\n      Size = 3\r\n"
      "      Pages = 7\r\n    end>\r\nend\r\n",
      &again, [&](TReader*, const String& message, bool& handled) {
        skipped.push_back(message);
        handled = true;
      });
  ASSERT_EQ(1, again.GetBooks()->Count());
  EXPECT_EQ(7, again.Book(0)->GetPages());
  EXPECT_EQ((std::vector<String>{"Line 5: Error reading Books[0].Size: Property Size does not exist in TBook"}), skipped);
  try {
    ReadComponentFromText("object S: TShelf\r\n  Books = <\r\n    item\r\n      Pages = 1\r\n    end\r\n    item\r\n"
                          "      Pages = 'x'\r\n    end>\r\nend", &again);
    ADD_FAILURE() << "a bad item value was accepted";
  } catch (const EReadError& e) {
    EXPECT_EQ("Line 7: Error reading Books[1].Pages: Invalid value 'x' for property Pages", e.Message());
  }
  EXPECT_THROW(ReadComponentFromText("object S: TShelf\r\n  Books = <\r\n    item\r\n      Pages = 1\r\n", &again), EReadError);
  EXPECT_THROW(ReadComponentFromText("object S: TShelf\r\n  Label = <>\r\nend", &again), EReadError);
}

TEST(Collections, ItemsAreAddedInsertedMovedDeletedAndAssignedWithUpdateNotifications) {
  TShelf shelf(nullptr);
  TCollection& books = *shelf.GetBooks();
  auto* a = static_cast<TBook*>(books.Add());
  auto* c = static_cast<TBook*>(books.Add());
  auto* b = static_cast<TBook*>(books.Insert(1));
  a->SetTitle("A");
  b->SetTitle("B");
  c->SetTitle("C");
  EXPECT_EQ(3, books.GetCount());
  EXPECT_EQ(1, b->GetIndex());
  EXPECT_EQ(&books, b->GetCollection());
  EXPECT_EQ(b, books.FindItemID(b->GetID()));
  shelf.SetName("Shelf");
  EXPECT_EQ("Shelf.Books[1]", b->GetNamePath());
  EXPECT_EQ(c, shelf.changes.back()) << "a changed item is named";

  shelf.changes.clear();
  books.BeginUpdate();
  c->SetIndex(0);
  books.Delete(2);  // B, moved to the end
  a->SetTitle("A2");
  EXPECT_TRUE(shelf.changes.empty());
  books.EndUpdate();
  EXPECT_EQ((std::vector<TCollectionItem*>{nullptr}), shelf.changes);
  ASSERT_EQ(2, books.GetCount());
  EXPECT_EQ(c, books.Items(0));
  EXPECT_EQ(a, books.Items(1));
  EXPECT_THROW(books.GetItem(2), EListError);
  EXPECT_THROW(books.Insert(3), EListError);

  a->GetNotes()->Add();
  a->Note(0)->SetTitle("kept");
  a->SetPages(9);
  TShelf copy(nullptr);
  copy.GetBooks()->Add();
  copy.GetBooks()->Add();
  copy.GetBooks()->Add();
  copy.SetBooks(shelf.GetBooks());
  ASSERT_EQ(2, copy.GetBooks()->Count());
  EXPECT_EQ("A2", copy.Book(1)->GetTitle());
  EXPECT_EQ(9, copy.Book(1)->GetPages());
  EXPECT_EQ("kept", copy.Book(1)->Note(0)->GetTitle());
  EXPECT_NE(a->GetNotes()->GetItem(0), copy.Book(1)->GetNotes()->GetItem(0)) << "items are copied, not shared";
  EXPECT_THROW(copy.Book(0)->Assign(copy.Book(0)->GetNotes()), EConvertError);

  delete a;
  EXPECT_EQ(1, books.GetCount()) << "a freed item leaves its collection";
  b = static_cast<TBook*>(copy.GetBooks()->GetItem(0));
  b->SetCollection(&books);
  EXPECT_EQ(2, books.GetCount());
  EXPECT_EQ(1, copy.GetBooks()->Count());
}
