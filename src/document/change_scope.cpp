// Gathering an operation's changes and reporting them to the document's observers.
#include "document/project_data.h"

#include <algorithm>
#include <utility>

DocumentChange& DocumentChange::operator|=(const DocumentChange& other)
{
    Lines |= other.Lines;
    Selection = Selection || other.Selection;
    Header = Header || other.Header;
    Modified = Modified || other.Modified;
    Undo = Undo || other.Undo;
    return *this;
}

void ProjectData::AddObserver(DocumentObserver& observer)
{
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end())
        observers_.push_back(&observer);
}

void ProjectData::RemoveObserver(DocumentObserver& observer) { std::erase(observers_, &observer); }

ProjectData::ChangeScope::ChangeScope(ProjectData& doc) : doc_(doc)
{
    if (doc_.scopeDepth_++ > 0)
        return;
    doc_.pending_ = {};
    doc_.modifiedBefore_ = doc_.Modified;
    doc_.undoEmptyBefore_ = doc_.UndoList.empty();
}

ProjectData::ChangeScope::~ChangeScope()
{
    if (--doc_.scopeDepth_ > 0)
        return;
    DocumentChange change = std::exchange(doc_.pending_, {});
    change.Modified = doc_.Modified != doc_.modifiedBefore_;
    change.Undo = doc_.UndoList.empty() != doc_.undoEmptyBefore_;
    if (!change.Any())
        return;
    // An observer may add or remove observers, or edit again, while it is told.
    const std::vector<DocumentObserver*> observers = doc_.observers_;
    for (DocumentObserver* o : observers)
        if (std::find(doc_.observers_.begin(), doc_.observers_.end(), o) != doc_.observers_.end())
            o->DocumentChanged(change);
}
