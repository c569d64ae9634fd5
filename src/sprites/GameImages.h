// The form's three image collections, reached by the selector numbers the sprites carry.
#pragma once

class TDXImageList;

// Collection 1, 2 or 3; nullptr for any other selector or before the form has set them.
TDXImageList* GameImageList(int selector);
// Called by the form at start-up (and by tests).
void SetGameImageLists(TDXImageList* list1, TDXImageList* list2, TDXImageList* list3);
