<?xml version="1.0" encoding="UTF-8"?>
<!-- A MODS record as a labelled list: title, names with their roles,
     publication, description, subjects and identifiers. Elements are matched
     by local name, so MODS 3, the older MODS namespace and no namespace all
     show, as do mods elements inside a collection. Written for the record
     view, which knows tables and simple CSS only. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>

  <xsl:template match="/">
    <html>
      <head>
        <style type="text/css">
          body { font-family: sans-serif; font-size: 10pt; color: #1b1b1b; background-color: #ffffff; }
          h1 { font-size: 14pt; color: #1f3b63; margin-top: 4px; margin-bottom: 8px; }
          td { padding: 2px 6px; vertical-align: top; }
          td.label { color: #5f6b7a; font-weight: bold; white-space: nowrap; }
          span.role { color: #5f6b7a; }
          p.none { color: #5f6b7a; font-style: italic; }
        </style>
      </head>
      <body>
        <xsl:variable name="records" select="//*[local-name()='mods']"/>
        <xsl:apply-templates select="$records"/>
        <xsl:if test="not($records)">
          <p class="none">This document holds no MODS record.</p>
        </xsl:if>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="*[local-name()='mods']">
    <xsl:if test="position() &gt; 1"><hr/></xsl:if>
    <xsl:variable name="titles" select="*[local-name()='titleInfo'][normalize-space(.) != '']"/>
    <xsl:variable name="main" select="($titles[not(@type)] | $titles)[1]"/>
    <xsl:variable name="origin" select="*[local-name()='originInfo' or local-name()='publicationInfo']"/>
    <xsl:variable name="dates" select="$origin/*[local-name()='dateIssued'][normalize-space(.) != '']"/>
    <xsl:if test="$main">
      <h1><xsl:apply-templates select="$main" mode="value"/></h1>
    </xsl:if>
    <table cellspacing="0" cellpadding="3">
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Other titles'"/>
        <xsl:with-param name="nodes" select="$titles[generate-id() != generate-id($main)]"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Names'"/>
        <xsl:with-param name="nodes" select="*[local-name()='name']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Type'"/>
        <xsl:with-param name="nodes" select="*[local-name()='typeOfResource' or local-name()='genre']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Edition'"/>
        <xsl:with-param name="nodes" select="$origin/*[local-name()='edition']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Place'"/>
        <xsl:with-param name="nodes" select="$origin/*[local-name()='place']
            [*[local-name()='placeTerm'][@type='text'] or not(*)]"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Publisher'"/>
        <xsl:with-param name="nodes" select="$origin/*[local-name()='publisher']"/>
      </xsl:call-template>
      <!-- A coded date only when no date is written out for reading. -->
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Date'"/>
        <xsl:with-param name="nodes" select="$dates[not(@encoding) or not($dates[not(@encoding)])]"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Created'"/>
        <xsl:with-param name="nodes" select="$origin/*[local-name()='dateCreated']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Copyright'"/>
        <xsl:with-param name="nodes" select="$origin/*[local-name()='copyrightDate']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Description'"/>
        <xsl:with-param name="nodes" select="*[local-name()='physicalDescription']
            /*[local-name()='extent' or local-name()='form']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Language'"/>
        <xsl:with-param name="nodes" select="*[local-name()='language']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Series'"/>
        <xsl:with-param name="nodes" select="*[local-name()='relatedItem'][@type='series']
            /*[local-name()='titleInfo']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Summary'"/>
        <xsl:with-param name="nodes" select="*[local-name()='abstract']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Contents'"/>
        <xsl:with-param name="nodes" select="*[local-name()='tableOfContents']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Notes'"/>
        <xsl:with-param name="nodes" select="*[local-name()='note']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Subjects'"/>
        <xsl:with-param name="nodes" select="*[local-name()='subject']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Classification'"/>
        <xsl:with-param name="nodes" select="*[local-name()='classification']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Identifiers'"/>
        <xsl:with-param name="nodes" select="*[local-name()='identifier']"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Location'"/>
        <xsl:with-param name="nodes" select="*[local-name()='location']/*"/>
      </xsl:call-template>
      <xsl:call-template name="row">
        <xsl:with-param name="label" select="'Record'"/>
        <xsl:with-param name="nodes" select="*[local-name()='recordInfo']/*[local-name()='recordIdentifier']"/>
      </xsl:call-template>
    </table>
  </xsl:template>

  <!-- One row with every value that has text, a line each. -->
  <xsl:template name="row">
    <xsl:param name="label"/>
    <xsl:param name="nodes"/>
    <xsl:variable name="shown" select="$nodes[normalize-space(.) != '']"/>
    <xsl:if test="$shown">
      <tr>
        <td class="label"><xsl:value-of select="$label"/></td>
        <td>
          <xsl:for-each select="$shown">
            <xsl:if test="position() &gt; 1"><br/></xsl:if>
            <xsl:apply-templates select="." mode="value"/>
          </xsl:for-each>
        </td>
      </tr>
    </xsl:if>
  </xsl:template>

  <xsl:template match="*" mode="value">
    <xsl:value-of select="normalize-space(.)"/>
  </xsl:template>

  <xsl:template match="*[local-name()='titleInfo']" mode="value">
    <xsl:variable name="nonSort" select="normalize-space(*[local-name()='nonSort'])"/>
    <xsl:if test="$nonSort != ''"><xsl:value-of select="concat($nonSort, ' ')"/></xsl:if>
    <xsl:value-of select="normalize-space(*[local-name()='title'])"/>
    <xsl:for-each select="*[local-name()='subTitle'][normalize-space(.) != '']">
      <xsl:value-of select="concat(' : ', normalize-space(.))"/>
    </xsl:for-each>
    <xsl:for-each select="*[local-name()='partNumber' or local-name()='partName'][normalize-space(.) != '']">
      <xsl:value-of select="concat('. ', normalize-space(.))"/>
    </xsl:for-each>
  </xsl:template>

  <!-- "Weiß, Anna, 1950- (editor)": the name's parts, its dates, its roles. -->
  <xsl:template match="*[local-name()='name']" mode="value">
    <xsl:variable name="parts" select="*[local-name()='namePart'][not(@type='date')][normalize-space(.) != '']"/>
    <xsl:choose>
      <xsl:when test="$parts">
        <xsl:for-each select="$parts">
          <xsl:if test="position() &gt; 1">, </xsl:if>
          <xsl:value-of select="normalize-space(.)"/>
        </xsl:for-each>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="normalize-space(*[local-name()='displayForm'])"/>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:for-each select="*[local-name()='namePart'][@type='date'][normalize-space(.) != '']">
      <xsl:value-of select="concat(', ', normalize-space(.))"/>
    </xsl:for-each>
    <xsl:variable name="roles" select="*[local-name()='role'][normalize-space(.) != '']"/>
    <xsl:if test="$roles">
      <xsl:text> </xsl:text>
      <span class="role">
        <xsl:text>(</xsl:text>
        <xsl:for-each select="$roles">
          <xsl:if test="position() &gt; 1">, </xsl:if>
          <xsl:variable name="terms" select="*[local-name()='roleTerm']"/>
          <xsl:choose>
            <xsl:when test="$terms[@type='text']"><xsl:value-of select="normalize-space($terms[@type='text'])"/></xsl:when>
            <xsl:when test="$terms"><xsl:value-of select="normalize-space($terms)"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="normalize-space(.)"/></xsl:otherwise>
          </xsl:choose>
        </xsl:for-each>
        <xsl:text>)</xsl:text>
      </span>
    </xsl:if>
  </xsl:template>

  <xsl:template match="*[local-name()='place']" mode="value">
    <xsl:variable name="text" select="*[local-name()='placeTerm'][@type='text']"/>
    <xsl:choose>
      <xsl:when test="$text"><xsl:value-of select="normalize-space($text)"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="normalize-space(.)"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template match="*[local-name()='language']" mode="value">
    <xsl:variable name="terms" select="*[local-name()='languageTerm']"/>
    <xsl:choose>
      <xsl:when test="$terms[@type='text']"><xsl:value-of select="normalize-space($terms[@type='text'])"/></xsl:when>
      <xsl:when test="$terms"><xsl:value-of select="normalize-space($terms)"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="normalize-space(.)"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Subject headings joined by a double dash, as catalogues print them. -->
  <xsl:template match="*[local-name()='subject']" mode="value">
    <xsl:for-each select="*[normalize-space(.) != '']">
      <xsl:if test="position() &gt; 1"> -- </xsl:if>
      <xsl:choose>
        <xsl:when test="local-name()='name'"><xsl:apply-templates select="." mode="value"/></xsl:when>
        <xsl:when test="local-name()='titleInfo'"><xsl:apply-templates select="." mode="value"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="normalize-space(.)"/></xsl:otherwise>
      </xsl:choose>
    </xsl:for-each>
  </xsl:template>

  <!-- "ISBN: 9783161484100" -->
  <xsl:template match="*[local-name()='identifier'] | *[local-name()='classification']" mode="value">
    <xsl:variable name="kind" select="normalize-space(@type | @authority)"/>
    <xsl:if test="$kind != ''">
      <xsl:value-of select="concat(translate($kind, 'abcdefghijklmnopqrstuvwxyz', 'ABCDEFGHIJKLMNOPQRSTUVWXYZ'), ': ')"/>
    </xsl:if>
    <xsl:value-of select="normalize-space(.)"/>
  </xsl:template>

  <xsl:template match="*[local-name()='url']" mode="value">
    <xsl:variable name="url" select="normalize-space(.)"/>
    <xsl:choose>
      <xsl:when test="starts-with($url, 'http://') or starts-with($url, 'https://')">
        <a href="{$url}"><xsl:value-of select="$url"/></a>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$url"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
