INSERT INTO t(a, "B", c) -- '{TITLE}'
VALUES('{TITLE}', 'By {AUTHOR}''s', {MARCRECORD}); /* x */