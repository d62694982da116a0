# The source folders and the folders each one may include, lowest layer first. The
# property grid stands apart (it knows nothing of SCL); the command line and the
# desktop program sit on top of every layer.
set(source_folders document compare property_grid project_tree communication goose structure datasets exports property_view import
  cli app)
set(layers_document document)
set(layers_compare document project_tree compare)
set(layers_property_grid property_grid)
set(layers_project_tree document project_tree)
set(layers_communication document project_tree communication)
set(layers_goose document project_tree goose)
set(layers_structure document project_tree goose structure)
set(layers_datasets document project_tree goose datasets)
set(layers_exports document project_tree exports)
set(layers_property_view document project_tree datasets property_grid property_view)
set(layers_import document project_tree compare goose import)
set(layers_cli ${source_folders})
list(REMOVE_ITEM layers_cli app)
set(layers_app ${source_folders})
list(REMOVE_ITEM layers_app cli)
# Qt is used only by the desktop program (app/) and the property grid's widget
# (property_grid/qt/): cmake/check_layers.cmake.
