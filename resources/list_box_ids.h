// Resources of the list boxes: the tree images and the drag cursors.
#pragma once

#define IDB_TREE_IMAGES 147

#define IDCUR_DRAG_PLAIN_ONE 145
#define IDCUR_DRAG_PLAIN_MANY 146
#define IDCUR_DRAG_REFUSED 184
#define IDCUR_DRAG_CONTROL_ONE 187
#define IDCUR_DRAG_CONTROL_MANY 190
#define IDCUR_FTP_COPY_PLAIN 193
#define IDCUR_FTP_COPY_CONTROL 195
