"""Drawing code for the menu's artwork; make_artwork.py writes the files."""
